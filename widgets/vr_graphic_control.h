#pragma once
// Base classes of the instrument widgets.
#include "framework/control.h"

namespace qm {

// Adds a repaint-now that waits while loading or while updates are locked.
class TVrGraphicControl : public TControl {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    void BeginUpdate() { ++updateLock_; }
    void EndUpdate();
    // Repaints at once, unless loading or locked.
    void UpdateControlCanvas();

private:
    int updateLock_ = 0;
};

// Paints into the back buffer: cleared with the colour, or with the parent's
// pixels when Transparent, then the widget draws, then one block transfer.
class TVrGraphicImageControl : public TVrGraphicControl {
public:
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);

protected:
    void Paint(Canvas& canvas) final;
    virtual void PaintContents(Canvas& canvas) = 0;
};

// The setter of a property kept in a plain field of a widget: stores the
// value and repaints.
template <auto Member>
inline constexpr auto StoreAndRepaint = [](auto& widget, const auto& value) {
    widget.*Member = value;
    widget.UpdateControlCanvas();
};

// The getter and setter of a property kept in a field of a widget's options
// record: `Options` names the record, `Field` the field in it.
template <auto Options, auto Field>
inline constexpr auto OptionValue = [](const auto& widget) { return (widget.*Options).*Field; };
template <auto Options, auto Field>
inline constexpr auto StoreOptionAndRepaint = [](auto& widget, const auto& value) {
    (widget.*Options).*Field = value;
    widget.UpdateControlCanvas();
};

} // namespace qm
