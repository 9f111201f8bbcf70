#pragma once
// The figure model drawn with QPainter, and a figure written in each format.
#include <QImage>
#include <QRectF>
#include <QSize>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/figures/figure_model.h"

class QPainter;

namespace cpt::figure_export {

enum class FigureFormat { Svg, Png, Pdf };

std::optional<FigureFormat> figureFormatNamed(std::string_view name);  // "svg", "png", "pdf"
const char* extensionOf(FigureFormat format);                          // ".svg", ...

inline constexpr int ExportDpi = 300;

// Draws the figure into target, scaled evenly and centred, on white.
void paintFigure(QPainter& painter, const figures::Figure& figure, const QRectF& target);

// The figure drawn on an image of exactly this size.
QImage figureImage(const figures::Figure& figure, QSize pixels);
// The pixel size of the figure at dpi (its units are 96 an inch).
QSize figureSizeAt(const figures::Figure& figure, int dpi);

// Writes the figure: SVG by the core's writer, PNG at 300 dpi (or at the
// given size), PDF of the figure's size. A file that cannot be written
// throws UserError and is not left behind.
void writeFigure(const figures::Figure& figure, const std::filesystem::path& path, FigureFormat format,
                 std::optional<QSize> pngSize = std::nullopt);

// The figure's file in memory, as writeFigure would write it (PNG at 300
// dpi), for files written as one set with others.
std::string figureBytes(const figures::Figure& figure, FigureFormat format);

// The batch program has no application object: makes one on the offscreen
// platform when none exists (fonts and PDF need it).
void ensureGuiApplication();

}  // namespace cpt::figure_export
