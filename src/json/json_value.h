#pragma once

// In-memory JSON document: one plain value type for every kind, objects kept in key order.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

enum class JsonKind : std::uint32_t {
  Null = 0,
  Bool = 1,
  Number = 2,
  String = 3,
  Array = 4,
  Object = 5,
};

// Every payload member exists at once; only the one selected by `kind` is meaningful, and every
// constructor leaves the others empty. Object keys are compared as unsigned bytes (std::string's
// ordering), so members iterate sorted by key whatever order they were inserted in.
struct JsonValue {
  JsonKind kind = JsonKind::Null;
  bool bool_value = false;
  double number_value = 0.0;
  std::string string_value;
  std::vector<JsonValue> items;
  std::map<std::string, JsonValue> members;

  JsonValue() = default;
  explicit JsonValue(bool value);
  explicit JsonValue(double value);
  explicit JsonValue(std::string value);
  // Without this a string literal would pick the bool constructor (pointer-to-bool conversion).
  explicit JsonValue(const char* value);
  explicit JsonValue(std::vector<JsonValue> values);
  explicit JsonValue(std::map<std::string, JsonValue> values);

  JsonValue(const JsonValue&) = default;
  // Copies before replacing anything, so assigning a value from inside its own subtree is safe.
  JsonValue& operator=(const JsonValue& other);
  // A moved-from value is a plain Null with empty containers, never a half-filled one.
  JsonValue(JsonValue&& other) noexcept;
  JsonValue& operator=(JsonValue&& other) noexcept;
  ~JsonValue() = default;

  // Typed lookups on an Object receiver. Any other receiver, a missing key or a member of
  // another kind gives an absent result; nothing converts between kinds.
  const JsonValue* find(const std::string& key) const;
  std::optional<std::string> get_string(const std::string& key) const;
  std::optional<double> get_number(const std::string& key) const;
  std::optional<bool> get_bool(const std::string& key) const;
  const std::vector<JsonValue>* get_array(const std::string& key) const;
};

// Recursive merge: primary's values win, keys only defaults has are added, nested objects merge
// member by member, anything that is not object-with-object (arrays included) is primary's copy.
JsonValue json_merge(const JsonValue& primary, const JsonValue& defaults);
