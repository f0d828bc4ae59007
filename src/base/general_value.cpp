#include "base/general_value.h"

namespace corvane {

bool GeneralValue::TryInt32(std::int32_t& out) const noexcept {
    if (auto p = std::get_if<std::int16_t>(&value_)) {
        out = *p;
        return true;
    }
    if (auto p = std::get_if<std::int32_t>(&value_)) {
        out = *p;
        return true;
    }
    return false;
}

std::string GeneralValue::ToText() const {
    switch (GetKind()) {
    case Kind::Empty:
        return {};
    case Kind::Int16:
        return std::to_string(std::get<std::int16_t>(value_));
    case Kind::Int32:
        return std::to_string(std::get<std::int32_t>(value_));
    case Kind::Text:
        return std::get<std::string>(value_);
    case Kind::Bytes: {
        const auto& b = std::get<ByteArray>(value_).bytes;
        return std::string(b.begin(), b.end());
    }
    }
    return {};
}

} // namespace corvane
