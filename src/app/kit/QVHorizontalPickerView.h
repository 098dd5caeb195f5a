#pragma once

#include "kit/ScrollStrip.h"
#include "ui/View.h"

#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <variant>
#include <vector>

class QVHorizontalPickerView;
class QVHorizontalPickerContentView;

// Supplies a horizontal picker's items and hears when one comes to rest in the centre.
class QVHorizontalPickerViewDelegate {
public:
    using Item = std::variant<QString, QPixmap>;
    virtual ~QVHorizontalPickerViewDelegate() = default;
    virtual unsigned numberOfItemsInPickerView(QVHorizontalPickerView& picker) = 0;
    virtual Item pickerViewItemAtPosition(QVHorizontalPickerView& picker, unsigned index) = 0;
    virtual void pickerSelectionDidChange(QVHorizontalPickerView& picker) = 0;
};

// A strip of texts or images scrolled by dragging: a click at each item, inertia after a flick,
// an eased snap to the nearest item, optional wrap-around, and a delegate call whenever the strip
// rests on an item with no finger down. Its content view draws the items.
class QVHorizontalPickerView : public View {
    Q_OBJECT

public:
    using Item = QVHorizontalPickerViewDelegate::Item;
    static constexpr std::int32_t kNotFound = fretkit::ScrollStrip::kNotFound;

    explicit QVHorizontalPickerView(QWidget* parent = nullptr);
    ~QVHorizontalPickerView() override;

    QVHorizontalPickerViewDelegate* delegate() const { return delegate_; }
    void setDelegate(QVHorizontalPickerViewDelegate* delegate) { delegate_ = delegate; }
    QVHorizontalPickerContentView* contentView() const { return contentView_; }

    bool wraps() const { return strip_.wraps(); }
    void setWraps(bool wraps) { strip_.setWraps(wraps); }
    float spacing() const { return spacing_; }
    void setSpacing(float spacing) { spacing_ = spacing; }

    void reloadItems(bool animated = false);
    void setSelectedItemIndex(unsigned index, bool animated = false);
    std::int32_t selectedItemIndex() const { return strip_.selectedIndex(); }

    // The item font of every picker (bold); pickers re-measure on their next reload.
    static void setFontSize(float size);
    static QFont itemFont();

    // The click at each item. By default the bundle's "QVHorizontalPickerView_tock" ("caf"),
    // heard while the app's audio stream runs (see QVClickSound); a player given here replaces
    // it, an empty one silences the pickers.
    static void setClickPlayer(std::function<void()> player);
    static void playDefaultClick();

    const std::vector<Item>& items() const { return items_; }
    const std::vector<float>& widths() const { return strip_.widths(); }
    const std::vector<std::int32_t>& positions() const { return positions_; }
    std::int32_t scroll() const { return strip_.scroll(); }
    bool isAutoscrolling() const { return timer_.isActive(); }

protected:
    void touchesBegan(const Touch& touch) override;
    void touchesMoved(const Touch& touch) override;
    void touchesEnded(const Touch& touch) override;
    void touchesCancelled(const Touch& touch) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static double now();
    void setScroll(std::int32_t scroll, bool click);
    void refreshPositions();
    void startAutoscroll(const fretkit::ScrollStrip::Glide& glide);
    void autoscroll();
    void stopAutoscroll();

    QVHorizontalPickerViewDelegate* delegate_ = nullptr;
    QVHorizontalPickerContentView* contentView_;
    fretkit::ScrollStrip strip_;
    std::vector<Item> items_;
    std::vector<std::int32_t> positions_;
    float spacing_ = 24.0f;
    bool isMoving_ = false;
    fretkit::ScrollStrip::Glide glide_;
    QTimer timer_;
};
