#include "BZSettingValue.h"

using fretkit::PlistValue;

bool BZSettingValue::same(const PlistValue& a, const PlistValue& b) {
    if (a == b) {
        return true;
    }
    if (!a.isNumber() || !b.isNumber()) {
        return false;
    }
    const bool boolean =
        a.type() == PlistValue::Type::Boolean || b.type() == PlistValue::Type::Boolean;
    return boolean ? a.boolValue() == b.boolValue() : a.doubleValue() == b.doubleValue();
}

const PlistValue* BZSettingValue::choiceFor(const PlistValue& stored, const PlistValue& choices) {
    const PlistValue* found = nullptr;
    for (const PlistValue& choice : choices.arrayItems()) {
        if (same(choice["value"], stored)) {
            found = &choice;
        }
    }
    return found;
}

PlistValue BZSettingValue::inTypeOf(const PlistValue& stored, const PlistValue& choices) {
    const PlistValue* choice = choiceFor(stored, choices);
    return choice ? (*choice)["value"] : stored;
}
