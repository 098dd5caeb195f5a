#pragma once

class QVListEditor;
class QVPickerEditor;
class QVNameEditor;
class QVMIDINoteEditor;

// The editors' optional delegate operations; a delegate answers one by deriving from it.
class QVListEditorValueDidChange {
public:
    virtual ~QVListEditorValueDidChange() = default;
    virtual void listEditorValueDidChange(QVListEditor& editor) = 0;
};

class QVListEditorWillClose {
public:
    virtual ~QVListEditorWillClose() = default;
    virtual void listEditorWillClose(QVListEditor& editor) = 0;
};

class QVPickerEditorValueDidChange {
public:
    virtual ~QVPickerEditorValueDidChange() = default;
    virtual void pickerEditorValueDidChange(QVPickerEditor& editor) = 0;
};

class QVNameEditorWillClose {
public:
    virtual ~QVNameEditorWillClose() = default;
    virtual void nameEditorWillClose(QVNameEditor& editor) = 0;
};

class QVMIDINoteEditorDidChange {
public:
    virtual ~QVMIDINoteEditorDidChange() = default;
    virtual void midiNoteEditorDidChange(QVMIDINoteEditor& editor) = 0;
};

class QVMIDINoteEditorWillClose {
public:
    virtual ~QVMIDINoteEditorWillClose() = default;
    virtual void midiNoteEditorWillClose(QVMIDINoteEditor& editor) = 0;
};
