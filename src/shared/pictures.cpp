#include "shared/pictures.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "shared/baked_pictures.h"
#include "base/png.h"

namespace vantrel::pictures {

std::string SetFolder(ui::Scale scale) {
    return scale.IsOne() ? "ui" : "ui-" + std::to_string(scale.percent());
}

namespace {

// By path: the set's folder, then the name ("ui-150/main/background").
std::map<std::string, ui::Picture, std::less<>>& Decoded() {
    static std::map<std::string, ui::Picture, std::less<>> decoded;
    return decoded;
}

}  // namespace

ui::Picture Get(std::string_view name, ui::Scale scale) {
    auto& decoded = Decoded();
    const std::string path = SetFolder(scale).append("/").append(name);
    if (const auto it = decoded.find(path); it != decoded.end()) return it->second;

    const auto baked = BakedPictures();
    const auto it = std::lower_bound(baked.begin(), baked.end(), std::string_view(path),
                                     [](const BakedPng& png, std::string_view n) { return png.name < n; });
    if (it == baked.end() || it->name != path) throw std::out_of_range("no baked picture " + path);
    auto image = base::DecodePng(it->bytes);
    if (!image) throw std::out_of_range("baked picture does not decode: " + path);
    return decoded.emplace(path, std::make_shared<const base::Image>(std::move(*image))).first->second;
}

ui::Picture AtScale(const ui::Picture& picture, ui::Scale scale) {
    if (!picture) return picture;
    for (const auto& [path, decoded] : Decoded())
        if (decoded == picture) return Get(std::string_view(path).substr(path.find('/') + 1), scale);
    return picture;
}

}  // namespace vantrel::pictures
