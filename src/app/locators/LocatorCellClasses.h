#pragma once

// Registers the locators' cell classes with the structure-driven tables, once: the detail
// screens' structures name them.
class LocatorCellClasses {
public:
    static void registerAll();
};
