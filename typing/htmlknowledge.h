// What the editor knows of HTML for completing what is typed: the elements
// of today's standard with their own attributes, the global attributes, the
// known values of attributes with a fixed set of them, and the named
// character references. Names are in lower case.
#pragma once

#include <string_view>
#include <vector>

namespace tv {

struct ElementInfo {
    std::string_view name;
    bool isVoid = false;       // no content, no end tag (br, img, ...)
    std::string_view attributes;  // its own attributes, separated by blanks
};

// Every element of the standard's index of elements, in alphabetical order.
const std::vector<ElementInfo>& htmlElements();
// The element of that lower-case name, or null.
const ElementInfo* htmlElement(std::string_view name);
// The attributes every element has, in alphabetical order.
const std::vector<std::string_view>& globalAttributes();
// The attributes offered inside a start tag of `element`: its own, then the
// global ones, each once. An element the table lacks gets the global ones.
std::vector<std::string_view> attributesOf(std::string_view element);
// The known values of an attribute of an element (input's type, a link's
// rel, a form's method ...); empty when its values are free.
std::vector<std::string_view> attributeValues(std::string_view element, std::string_view attribute);

struct NamedReference {
    std::string_view name;  // without its '&' and ';'
    std::string_view text;  // what it stands for, UTF-8
};
// The named character references written with a semicolon, in byte order
// of their names.
const std::vector<NamedReference>& namedReferences();

} // namespace tv
