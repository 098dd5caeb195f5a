#pragma once

class BZLocationEditor;

// Hears when the location editor closes. When not cancelled, the delegate reads the mode
// (international) and the chosen value (countryCode, countryName or postalCode) back from the
// editor here; the editor is dismissed right after.
class BZLocationEditorDelegate {
public:
    virtual ~BZLocationEditorDelegate() = default;
    virtual void locationEditorWillClose(BZLocationEditor& editor, bool cancelled) = 0;
};
