// Markup and layout must take any text without raising or reading past it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "widgets/html_layout.h"
#include "widgets/html_markup.h"

namespace {

class Measurer : public qm::HtmlMeasurer {
public:
    qm::HtmlSize Text(const qm::HtmlStyle& style, const std::string& text) override
    {
        return {static_cast<int>(text.size()) * (style.size % 13 + 1), style.size + 5};
    }
    qm::HtmlSize Picture(const std::string& source) override { return {static_cast<int>(source.size()), 7}; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    qm::HtmlDocument document = qm::ParseHtml(text, qm::HtmlStyle{});
    Measurer measurer;
    for (int width : {1, 120, 297}) {
        qm::HtmlLayout layout = qm::LayoutHtml(document, measurer, qm::Rect::FromBounds(0, 0, width, 60), width != 1);
        if (layout.height < 0 || layout.links.size() != document.links.size())
            __builtin_trap();
    }
    return 0;
}
