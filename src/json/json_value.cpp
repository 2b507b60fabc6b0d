#include "json/json_value.h"

#include <utility>

JsonValue::JsonValue(bool value) : kind(JsonKind::Bool), bool_value(value) {}

JsonValue::JsonValue(double value) : kind(JsonKind::Number), number_value(value) {}

JsonValue::JsonValue(std::string value) : kind(JsonKind::String), string_value(std::move(value)) {}

JsonValue::JsonValue(const char* value) : JsonValue(std::string(value)) {}

JsonValue::JsonValue(std::vector<JsonValue> values)
    : kind(JsonKind::Array), items(std::move(values)) {}

JsonValue::JsonValue(std::map<std::string, JsonValue> values)
    : kind(JsonKind::Object), members(std::move(values)) {}

JsonValue::JsonValue(JsonValue&& other) noexcept
    : kind(std::exchange(other.kind, JsonKind::Null)),
      bool_value(std::exchange(other.bool_value, false)),
      number_value(std::exchange(other.number_value, 0.0)),
      string_value(std::move(other.string_value)),
      items(std::move(other.items)),
      members(std::move(other.members)) {
  // Moved-from standard containers are only "valid but unspecified"; make them empty.
  other.string_value.clear();
  other.items.clear();
  other.members.clear();
}

JsonValue& JsonValue::operator=(const JsonValue& other) {
  if (this != &other) {
    *this = JsonValue(other);
  }
  return *this;
}

JsonValue& JsonValue::operator=(JsonValue&& other) noexcept {
  if (this != &other) {
    // Move out first: `other` may live inside this value's own subtree.
    JsonValue taken(std::move(other));
    kind = taken.kind;
    bool_value = taken.bool_value;
    number_value = taken.number_value;
    string_value = std::move(taken.string_value);
    items = std::move(taken.items);
    members = std::move(taken.members);
  }
  return *this;
}

const JsonValue* JsonValue::find(const std::string& key) const {
  if (kind != JsonKind::Object) {
    return nullptr;
  }
  auto it = members.find(key);
  return it == members.end() ? nullptr : &it->second;
}

namespace {

// The member under `key` when the receiver is an object and the member has the wanted kind.
const JsonValue* find_of_kind(const JsonValue& object, const std::string& key, JsonKind kind) {
  const JsonValue* member = object.find(key);
  return member != nullptr && member->kind == kind ? member : nullptr;
}

}  // namespace

std::optional<std::string> JsonValue::get_string(const std::string& key) const {
  const JsonValue* member = find_of_kind(*this, key, JsonKind::String);
  return member ? std::optional<std::string>(member->string_value) : std::nullopt;
}

std::optional<double> JsonValue::get_number(const std::string& key) const {
  const JsonValue* member = find_of_kind(*this, key, JsonKind::Number);
  return member ? std::optional<double>(member->number_value) : std::nullopt;
}

std::optional<bool> JsonValue::get_bool(const std::string& key) const {
  const JsonValue* member = find_of_kind(*this, key, JsonKind::Bool);
  return member ? std::optional<bool>(member->bool_value) : std::nullopt;
}

const std::vector<JsonValue>* JsonValue::get_array(const std::string& key) const {
  const JsonValue* member = find_of_kind(*this, key, JsonKind::Array);
  return member ? &member->items : nullptr;
}

JsonValue json_merge(const JsonValue& primary, const JsonValue& defaults) {
  if (primary.kind != JsonKind::Object || defaults.kind != JsonKind::Object) {
    return primary;
  }
  std::map<std::string, JsonValue> merged;
  for (const auto& [key, default_value] : defaults.members) {
    auto own = primary.members.find(key);
    merged[key] =
        own == primary.members.end() ? default_value : json_merge(own->second, default_value);
  }
  for (const auto& [key, own_value] : primary.members) {
    if (defaults.members.count(key) == 0) {
      merged[key] = own_value;
    }
  }
  return JsonValue(std::move(merged));
}
