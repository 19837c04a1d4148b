#pragma once

// What the program says about itself: the product title (window caption and the title of
// its message boxes), the maker, the home page and the rights line. Read from
// game/product.txt ("key = value" lines) at build time.

#include <string>
#include <string_view>

namespace velko::engine {

struct Product {
    std::u16string title;  // "灯守坂　第１話"
    std::u16string maker;
    std::string homepage;
    std::u16string rights;
    std::u16string episode2;
};

// Parses "key = value" lines (UTF-8; "#" comments). Unknown keys are ignored; missing ones
// stay empty.
Product parseProduct(std::string_view text);

// The built-in product data.
const Product& builtinProduct();

}  // namespace velko::engine
