#pragma once

// Registers the kit's editor classes by name, once; editor creation by name calls it first.
class QVEditorClasses {
public:
    static void registerAll();
};
