# cmake -DROOT=<assets folder> -DSETS=ui,ui-125,... -DOUT=<file.cpp> -P embed_pictures.cmake
# Writes a C++ source that holds every PNG under each of ROOT's SETS folders as a
# byte array, named by its path under ROOT without ".png" ("ui/main/background"),
# in name order.
string(REPLACE "," ";" sets "${SETS}")
set(pictures "")
foreach(set IN LISTS sets)
  file(GLOB_RECURSE in_set RELATIVE ${ROOT} ${ROOT}/${set}/*.png)
  list(APPEND pictures ${in_set})
endforeach()
list(TRANSFORM pictures REPLACE "\\.png$" "")
list(SORT pictures)
set(arrays "")
set(entries "")
set(n 0)
foreach(name IN LISTS pictures)
  file(READ ${ROOT}/${name}.png hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND arrays "constexpr std::uint8_t kPicture${n}[] = {\n${bytes}};\n")
  string(APPEND entries "    {\"${name}\", kPicture${n}},\n")
  math(EXPR n "${n} + 1")
endforeach()
file(WRITE ${OUT}.tmp "// Generated from assets/ui* by cmake/embed_pictures.cmake; do not edit.
#include \"shared/baked_pictures.h\"

namespace vantrel::pictures {
namespace {
${arrays}
constexpr BakedPng kPictures[] = {
${entries}};
}  // namespace

std::span<const BakedPng> BakedPictures() { return kPictures; }

}  // namespace vantrel::pictures
")
# Touch the output only when it changes, so that an unchanged picture set rebuilds nothing.
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
