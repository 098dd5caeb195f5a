#pragma once

#include <QString>
#include <functional>
#include <memory>

class ViewController;

// Screen classes made by name, as the home menu's rows name them. The shell registers its own
// classes; each tool adds its screen here when it lands.
class BZControllerClasses {
public:
    using Factory = std::function<std::unique_ptr<ViewController>()>;

    // A new screen of the named class, or null when no such class exists.
    static std::unique_ptr<ViewController> create(const QString& className);
    static bool exists(const QString& className);
    static void registerClass(const QString& className, Factory factory);

private:
    static void registerAll();
};
