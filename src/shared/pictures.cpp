#include "shared/pictures.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

#include "shared/baked_pictures.h"
#include "base/png.h"

namespace vantrel::pictures {

ui::Picture Get(std::string_view name) {
    static std::map<std::string, ui::Picture, std::less<>> decoded;
    if (const auto it = decoded.find(name); it != decoded.end()) return it->second;

    const auto baked = BakedPictures();
    const auto it = std::lower_bound(baked.begin(), baked.end(), name,
                                     [](const BakedPng& png, std::string_view n) { return png.name < n; });
    if (it == baked.end() || it->name != name) throw std::out_of_range("no baked picture " + std::string(name));
    auto image = base::DecodePng(it->bytes);
    if (!image) throw std::out_of_range("baked picture does not decode: " + std::string(name));
    return decoded.emplace(std::string(name), std::make_shared<const base::Image>(std::move(*image))).first->second;
}

}  // namespace vantrel::pictures
