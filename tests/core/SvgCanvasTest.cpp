#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plot/SvgCanvas.h"
#include "support/RecordingCanvas.h"

namespace {

/// One command of a path with its pen colour, as read back from the document.
struct Command {
    std::string stroke;
    std::string width;
    char kind;
    int x;
    int y;
    bool operator==(const Command&) const = default;
    friend void PrintTo(const Command& c, std::ostream* os) {
        *os << c.stroke << "/" << c.width << " " << c.kind << " " << c.x << " " << c.y;
    }
};

std::string Attribute(const std::string& element, const std::string& name) {
    const std::string key = " " + name + "=\"";
    const std::size_t start = element.find(key);
    if (start == std::string::npos) {
        return "?";
    }
    const std::size_t from = start + key.size();
    return element.substr(from, element.find('"', from) - from);
}

/// The <path> elements of a document.
std::vector<std::string> Paths(const std::string& svg) {
    std::vector<std::string> paths;
    for (std::size_t at = svg.find("<path "); at != std::string::npos;
         at = svg.find("<path ", at + 1)) {
        paths.push_back(svg.substr(at, svg.find("/>", at) + 2 - at));
    }
    return paths;
}

std::vector<Command> Commands(const std::string& svg) {
    std::vector<Command> commands;
    for (const std::string& path : Paths(svg)) {
        std::istringstream d(Attribute(path, "d"));
        Command c{Attribute(path, "stroke"), Attribute(path, "stroke-width"), 0, 0, 0};
        while (d >> c.kind >> c.x >> c.y) {
            commands.push_back(c);
        }
    }
    return commands;
}

std::string Hex(PlotPen pen) {
    const PenStyle& style = GetPenStyle(pen);
    const char* digits = "0123456789abcdef";
    std::string text = "#";
    for (int channel : {style.red, style.green, style.blue}) {
        text += digits[channel / 16];
        text += digits[channel % 16];
    }
    return text;
}

std::vector<TrackPoint> SampleTrack() {
    const int32_t states[] = {1, 6, 6, 2, 7, 7, 3, 1, 4, 5, 9, 6};
    const int32_t flags[] = {8, 1, 5, 0, 2, 2, 4, 8, 0, 0, 0, 0};
    std::vector<TrackPoint> points(12);
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i].state = states[i];
        points[i].flags = flags[i];
        points[i].distance = 37.0 * static_cast<double>(i * i);
        points[i].altitude = 400.0 + 90.0 * static_cast<double>((i * 7) % 5);
    }
    return points;
}

}  // namespace

TEST(SvgCanvas, DocumentHasTheSizeAndOnePathPerPenChange) {
    const std::string svg = RenderProfileSvg(nullptr, 0, true, 856, 169);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"856\" height=\"169\""),
              std::string::npos);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    const std::vector<std::string> paths = Paths(svg);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(Attribute(paths[0], "stroke"), "#d2b4b4");
    EXPECT_EQ(Attribute(paths[0], "stroke-width"), "6");
    EXPECT_EQ(Attribute(paths[0], "fill"), "none");
    EXPECT_EQ(Attribute(paths[0], "stroke-linecap"), "round");
    EXPECT_EQ(Attribute(paths[0], "stroke-linejoin"), "round");
    EXPECT_EQ(Attribute(paths[0], "d"), "M 2 2 L 854 167 M 854 2 L 2 167");
}

TEST(SvgCanvas, ANewPathContinuesFromTheCurrentPosition) {
    SvgCanvas canvas(10, 10);
    canvas.SelectPen(PlotPen::LevelLine);
    canvas.MoveTo(1, 2);
    canvas.LineTo(-3, 4);
    canvas.SelectPen(PlotPen::LevelLine);  // the same pen: the path goes on
    canvas.LineTo(5, 6);
    canvas.SelectPen(PlotPen::RunMarker);
    canvas.LineTo(7, 8);
    EXPECT_EQ(canvas.GetCurrentPosition(), (PlotPoint{7, 8}));
    const std::vector<std::string> paths = Paths(canvas.Finish());
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(Attribute(paths[0], "d"), "M 1 2 L -3 4 L 5 6");
    EXPECT_EQ(Attribute(paths[1], "d"), "M 5 6 L 7 8");
    EXPECT_EQ(Attribute(paths[1], "stroke"), "#8282b2");
    EXPECT_EQ(Attribute(paths[1], "stroke-width"), "1");
}

TEST(SvgCanvas, CommandsFollowTheDrawingInOrder) {
    const std::vector<TrackPoint> points = SampleTrack();
    RecordingCanvas recording;
    DrawProfile(recording, points.data(), points.size(), true, {0, 0, 300, 120});
    const std::vector<Command> commands =
        Commands(RenderProfileSvg(points.data(), points.size(), true, 300, 120));

    // Each call is one command; a path that a pen change opens with a line first gets an M at
    // the position where the drawing stands.
    std::vector<Command> expected;
    std::string stroke = "#000000";
    std::string width = "1";
    bool pathOpen = false;
    PlotPoint position;
    for (const CanvasCall& call : recording.calls) {
        if (call.kind == CanvasCall::Pen) {
            const std::string hex = Hex(call.pen);
            pathOpen = pathOpen && hex == stroke;
            stroke = hex;
            width = std::to_string(GetPenStyle(call.pen).width);
            continue;
        }
        if (!pathOpen && call.kind == CanvasCall::Line) {
            expected.push_back({stroke, width, 'M', position.x, position.y});
        }
        pathOpen = true;
        expected.push_back(
            {stroke, width, call.kind == CanvasCall::Move ? 'M' : 'L', call.x, call.y});
        position = {call.x, call.y};
    }
    EXPECT_EQ(commands, expected);
    EXPECT_GT(recording.lines.size(), 10u);
}
