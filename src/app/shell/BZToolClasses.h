#pragma once

// Registers every tool screen under its class name, so that the home menu can push it. Each
// tool's screen library adds one line here when it lands; the app calls this once at launch,
// and a test that needs the tools calls it too (calling it again does nothing).
class BZToolClasses {
public:
    static void registerAll();
};
