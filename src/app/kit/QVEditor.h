#pragma once

#include "QVTableViewDelegate.h"
#include "foundation/PlistValue.h"
#include "ui/ViewController.h"

#include <functional>
#include <memory>
#include <string>

// A screen that edits one row's value, pushed onto the settings stack. It reports to its
// delegate (the table's delegate, usually the tool screen) through the optional operations of
// its class, and is identified by the row's key. Editor classes are made by name.
class QVEditor : public ViewController {
    Q_OBJECT

public:
    using Factory = std::function<std::unique_ptr<QVEditor>()>;

    static std::unique_ptr<QVEditor> create(const QString& className);
    static void registerClass(const QString& className, Factory factory);

    const std::string& identifier() const { return identifier_; }
    void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }
    QVTableViewDelegate* delegate() const { return delegate_; }
    void setDelegate(QVTableViewDelegate* delegate) { delegate_ = delegate; }

    // Takes the row dictionary; the base does nothing.
    virtual void setStructure(const fretkit::PlistValue&) {}
    virtual void selectItemWithValue(const fretkit::PlistValue&) {}

protected:
    // The delegate as the optional interface, or null when it does not answer it.
    template <typename Interface>
    Interface* delegateAs() const {
        return dynamic_cast<Interface*>(delegate_);
    }

private:
    std::string identifier_;
    QVTableViewDelegate* delegate_ = nullptr;
};
