#pragma once

#include <string_view>

#include "ports/DialogRunner.h"

namespace vantelo {

// Why a settings form was refused: the box's text and caption.
struct FormFault {
    const char* text = nullptr;
    const char* caption = "Error";
};

// A field's text, empty when the dialog did not hand it over.
std::string_view FieldText(const DialogFields& fields, ControlId control);

}  // namespace vantelo
