#include "QVEditorClasses.h"

#include "QVListEditor.h"
#include "QVMIDINoteEditor.h"
#include "QVNameEditor.h"
#include "QVPickerEditor.h"

namespace {

template <typename Editor>
void add(const char* name) {
    QVEditor::registerClass(QString::fromLatin1(name), [] { return std::make_unique<Editor>(); });
}

} // namespace

void QVEditorClasses::registerAll() {
    static const bool registered = [] {
        add<QVListEditor>("QVListEditor");
        add<QVPickerEditor>("QVPickerEditor");
        add<QVNameEditor>("QVNameEditor");
        add<QVMIDINoteEditor>("QVMIDINoteEditor");
        return true;
    }();
    (void)registered;
}
