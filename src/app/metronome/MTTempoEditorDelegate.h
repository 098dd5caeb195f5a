#pragma once

class MTTempoEditor;

// Hears every change of a tempo editor's value.
class MTTempoEditorDelegate {
public:
    virtual ~MTTempoEditorDelegate() = default;
    virtual void tempoEditorValueDidChange(MTTempoEditor& editor) = 0;
};
