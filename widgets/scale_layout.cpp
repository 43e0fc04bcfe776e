#include "widgets/scale_layout.h"

#include <algorithm>
#include <cstdio>

namespace qm {

std::vector<ScaleLabel> LayoutScale(const ScaleOptions& options, int width, int height)
{
    std::vector<ScaleLabel> labels;
    if (options.ticks < 1)
        return labels;
    const long long step = (static_cast<long long>(options.maxValue) - options.minValue) / options.ticks;
    const int cell = (options.vertical ? height : width) / (options.ticks + 1);
    for (int i = 0; i <= options.ticks; ++i) {
        long long value = options.minValue + step * i;
        const char* sign = options.showSign && value > 0 ? "+" : "";
        char text[48];
        int length = options.leadingZero ? std::snprintf(text, sizeof(text), "%s%0*lld", sign, options.digits, value)
                                         : std::snprintf(text, sizeof(text), "%s%lld", sign, value);
        ScaleLabel label;
        label.text.assign(text, static_cast<size_t>(std::clamp(length, 0, static_cast<int>(sizeof(text)) - 1)));
        label.color = value < options.peakLevel ? options.fontColor : options.peakColor;
        label.cell = options.vertical ? Rect{0, height - (i + 1) * cell, width, height - i * cell}
                                      : Rect{i * cell, 0, (i + 1) * cell, height};
        labels.push_back(std::move(label));
    }
    return labels;
}

} // namespace qm
