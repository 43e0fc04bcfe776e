#pragma once
// The system progress bar (also the gauges of the information window).
#include <windows.h>

#include <commctrl.h>

#include "framework/win_control.h"

namespace qm {

class TProgressBar : public TWinControl {
public:
    TProgressBar();
    static const TypeInfo& StaticType();
    const TypeInfo& Type() const override { return StaticType(); }

    int Min() const { return min_; }
    void SetMin(int min);
    int Max() const { return max_; }
    void SetMax(int max);
    // Clamped into [Min, Max].
    int Position() const { return position_; }
    void SetPosition(int position);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool smooth) { smooth_ = smooth; }

protected:
    WindowClass ControlClass() const override;
    DWORD ControlStyle() const override { return smooth_ ? PBS_SMOOTH : 0; }
    void HandleCreated() override;

private:
    void SendRange();
    int min_ = 0, max_ = 100, position_ = 0;
    bool smooth_ = false;
};

} // namespace qm
