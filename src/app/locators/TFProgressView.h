#pragma once

#include "DFProgressView.h"

// The teacher finder's progress panel: the dealer locator's, shared.
class TFProgressView : public DFProgressView {
public:
    using DFProgressView::DFProgressView;
};
