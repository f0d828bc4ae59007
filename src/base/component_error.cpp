#include "base/component_error.h"

namespace corvane {

namespace {
std::string WhatText(std::int32_t number, const std::string& source, const std::string& description) {
    return std::to_string(number) + " (" + source + "): " + description;
}
} // namespace

ComponentError::ComponentError(std::int32_t number, std::string source, std::string description)
    : what_(WhatText(number, source, description)),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

MessageBoxText RoutineErrorBox(std::string_view routine, std::int32_t number, std::string_view description) {
    MessageBoxText box;
    box.title = "Error ! (Source : ";
    box.title.append(routine);
    box.title += ")";
    box.text = std::to_string(number) + " : \r\n\r\n";
    box.text.append(description);
    return box;
}

} // namespace corvane
