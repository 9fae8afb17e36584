#include "settings/FormFields.h"

namespace vantelo {

std::string_view FieldText(const DialogFields& fields, ControlId control) {
    auto field = fields.find(control);
    return field == fields.end() ? std::string_view() : std::string_view(field->second);
}

}  // namespace vantelo
