#pragma once

// Registers the kit's cell classes by name, once; cell creation by name calls it first.
class QVCellClasses {
public:
    static void registerAll();
};
