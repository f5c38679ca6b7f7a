#include "plot/SvgCanvas.h"

#include <charconv>

#include "plot/ProfileDrawing.h"
#include "report/ReportFile.h"

namespace {

void AppendInt(std::string& out, int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendHexByte(std::string& out, unsigned value) {
    constexpr char kDigits[] = "0123456789abcdef";
    out += kDigits[(value >> 4) & 0xF];
    out += kDigits[value & 0xF];
}

}  // namespace

SvgCanvas::SvgCanvas(int width, int height) {
    m_svg.reserve(4096);
    // The plot paints no background of its own; the viewer shows it on the light neutral
    // colour of a dialog, where the white stopped band stays visible.
    m_svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    m_svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"";
    AppendInt(m_svg, width);
    m_svg += "\" height=\"";
    AppendInt(m_svg, height);
    m_svg += "\" viewBox=\"0 0 ";
    AppendInt(m_svg, width);
    m_svg += ' ';
    AppendInt(m_svg, height);
    m_svg += "\" style=\"background-color:#f0f0f0\">\n";
}

void SvgCanvas::SelectPen(PlotPen pen) {
    if (m_pen == pen) {
        return;
    }
    ClosePath();
    m_pen = pen;
}

void SvgCanvas::MoveTo(int x, int y) {
    OpenPath(false);
    AppendCommand('M', x, y);
    m_position = {x, y};
}

void SvgCanvas::LineTo(int x, int y) {
    OpenPath(true);
    AppendCommand('L', x, y);
    m_position = {x, y};
}

void SvgCanvas::AddRule(int x1, int y1, int x2, int y2) {
    ClosePath();
    m_svg += "<path stroke=\"#000000\" stroke-width=\"1\" fill=\"none\" d=\"";
    m_svg += "M ";
    AppendInt(m_svg, x1);
    m_svg += ' ';
    AppendInt(m_svg, y1);
    m_svg += " L ";
    AppendInt(m_svg, x2);
    m_svg += ' ';
    AppendInt(m_svg, y2);
    m_svg += "\"/>\n";
}

void SvgCanvas::AddText(int x, int y, const std::string& text, const char* anchor, int size) {
    ClosePath();
    m_svg += "<text x=\"";
    AppendInt(m_svg, x);
    m_svg += "\" y=\"";
    AppendInt(m_svg, y);
    m_svg += "\" font-family=\"sans-serif\" font-size=\"";
    AppendInt(m_svg, size);
    m_svg += "\" text-anchor=\"";
    m_svg += anchor;
    m_svg += "\">";
    for (const char c : text) {
        switch (c) {
            case '&':
                m_svg += "&amp;";
                break;
            case '<':
                m_svg += "&lt;";
                break;
            case '>':
                m_svg += "&gt;";
                break;
            default:
                m_svg += c;
        }
    }
    m_svg += "</text>\n";
}

void SvgCanvas::AppendColour(const char* attribute, uint8_t red, uint8_t green, uint8_t blue,
                             uint8_t alpha) {
    m_svg += ' ';
    m_svg += attribute;
    m_svg += "=\"#";
    AppendHexByte(m_svg, red);
    AppendHexByte(m_svg, green);
    AppendHexByte(m_svg, blue);
    m_svg += '"';
    if (alpha != 255) {
        m_svg += ' ';
        m_svg += attribute;
        m_svg += "-opacity=\"";
        // Three decimals tell the 256 opacities apart.
        const int thousandths = (alpha * 1000 + 127) / 255;
        m_svg += "0.";
        const std::string digits = std::to_string(1000 + thousandths).substr(1);
        m_svg += digits;
        m_svg += '"';
    }
}

void SvgCanvas::AppendRectAttributes(const PlotRect& rect) {
    m_svg += " x=\"";
    AppendInt(m_svg, rect.left);
    m_svg += "\" y=\"";
    AppendInt(m_svg, rect.top);
    m_svg += "\" width=\"";
    AppendInt(m_svg, rect.right - rect.left);
    m_svg += "\" height=\"";
    AppendInt(m_svg, rect.bottom - rect.top);
    m_svg += '"';
}

void SvgCanvas::AddRect(const PlotRect& rect, uint8_t red, uint8_t green, uint8_t blue,
                        uint8_t alpha) {
    ClosePath();
    m_svg += "<rect";
    AppendRectAttributes(rect);
    AppendColour("fill", red, green, blue, alpha);
    m_svg += "/>\n";
}

void SvgCanvas::AddPolyline(const std::vector<PlotPoint>& points, uint8_t red, uint8_t green,
                            uint8_t blue, uint8_t alpha, int width) {
    ClosePath();
    if (points.empty()) {
        return;
    }
    m_svg += "<path";
    AppendColour("stroke", red, green, blue, alpha);
    m_svg += " stroke-width=\"";
    AppendInt(m_svg, width);
    m_svg += "\" fill=\"none\" stroke-linecap=\"round\" stroke-linejoin=\"round\" d=\"";
    for (std::size_t i = 0; i < points.size(); ++i) {
        AppendCommand(i == 0 ? 'M' : 'L', points[i].x, points[i].y);
    }
    m_svg += "\"/>\n";
}

void SvgCanvas::AddCircle(int x, int y, int radius, uint8_t red, uint8_t green, uint8_t blue,
                          int width) {
    ClosePath();
    m_svg += "<circle cx=\"";
    AppendInt(m_svg, x);
    m_svg += "\" cy=\"";
    AppendInt(m_svg, y);
    m_svg += "\" r=\"";
    AppendInt(m_svg, radius);
    m_svg += "\" fill=\"none\"";
    AppendColour("stroke", red, green, blue, 255);
    m_svg += " stroke-width=\"";
    AppendInt(m_svg, width);
    m_svg += "\"/>\n";
}

void SvgCanvas::BeginClip(const PlotRect& rect) {
    ClosePath();
    const std::string id = "clip" + std::to_string(++m_clips);
    m_svg += "<clipPath id=\"" + id + "\"><rect";
    AppendRectAttributes(rect);
    m_svg += "/></clipPath>\n<g clip-path=\"url(#" + id + ")\">\n";
}

void SvgCanvas::EndClip() {
    ClosePath();
    m_svg += "</g>\n";
}

void SvgCanvas::BeginGroup(int dx, int dy) {
    ClosePath();
    m_svg += "<g transform=\"translate(";
    AppendInt(m_svg, dx);
    m_svg += ' ';
    AppendInt(m_svg, dy);
    m_svg += ")\">\n";
}

void SvgCanvas::EndGroup() {
    ClosePath();
    m_svg += "</g>\n";
}

std::string SvgCanvas::Finish() {
    ClosePath();
    m_svg += "</svg>\n";
    return std::move(m_svg);
}

void SvgCanvas::OpenPath(bool forLine) {
    if (m_pathOpen) {
        return;
    }
    const PenStyle style = m_pen ? GetPenStyle(*m_pen) : PenStyle{0, 0, 0, 1};
    m_svg += "<path stroke=\"#";
    AppendHexByte(m_svg, style.red);
    AppendHexByte(m_svg, style.green);
    AppendHexByte(m_svg, style.blue);
    m_svg += "\" stroke-width=\"";
    AppendInt(m_svg, style.width);
    m_svg += "\" fill=\"none\" stroke-linecap=\"round\" stroke-linejoin=\"round\" d=\"";
    m_pathOpen = true;
    // Path data must start with a move; a line goes on from where the last path stopped.
    if (forLine) {
        AppendCommand('M', m_position.x, m_position.y);
    }
}

void SvgCanvas::ClosePath() {
    if (!m_pathOpen) {
        return;
    }
    m_svg += "\"/>\n";
    m_pathOpen = false;
}

void SvgCanvas::AppendCommand(char command, int x, int y) {
    if (m_svg.back() != '"') {
        m_svg += ' ';
    }
    m_svg += command;
    m_svg += ' ';
    AppendInt(m_svg, x);
    m_svg += ' ';
    AppendInt(m_svg, y);
}

std::string RenderProfileSvg(const TrackPoint* points, std::size_t count, bool overDistance,
                             int width, int height) {
    SvgCanvas canvas(width, height);
    DrawProfile(canvas, points, count, overDistance, PlotRect{0, 0, width, height});
    return canvas.Finish();
}

bool WriteProfileSvg(const std::string& path, const TrackPoint* points, std::size_t count,
                     bool overDistance, int width, int height) {
    return WriteFile(path, RenderProfileSvg(points, count, overDistance, width, height));
}
