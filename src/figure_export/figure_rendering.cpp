#include "figure_export/figure_rendering.h"

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <system_error>

#include "core/common/user_error.h"
#include "core/figures/figure_files.h"
#include "core/figures/svg_writer.h"

namespace cpt::figure_export {
namespace {

using namespace cpt::figures;

QColor qtColour(Colour c) { return QColor(c.red, c.green, c.blue); }

QPen penOf(const Line& line) {
    QPen pen(qtColour(line.colour), line.width);
    pen.setCapStyle(Qt::FlatCap);
    if (line.style == LineStyle::Dashed) pen.setDashPattern({6 / line.width, 4 / line.width});
    if (line.style == LineStyle::Dotted) pen.setDashPattern({2 / line.width, 3 / line.width});
    return pen;
}

void drawText(QPainter& painter, const Text& text) {
    QFont font("DejaVu Sans");
    // In figure units: the painter's scale takes it to the device.
    font.setPixelSize(std::max(1, qRound(text.size)));
    font.setBold(text.bold);
    painter.setFont(font);
    painter.setPen(qtColour(text.colour));
    const QString content = QString::fromUtf8(text.text.data(), static_cast<qsizetype>(text.text.size()));
    const double width = painter.fontMetrics().horizontalAdvance(content);
    double dx = 0;
    if (text.anchor == Anchor::Middle) dx = -width / 2;
    if (text.anchor == Anchor::End) dx = -width;
    painter.save();
    painter.translate(text.x, text.y);
    if (text.vertical) painter.rotate(-90);
    painter.drawText(QPointF(dx, 0), content);
    painter.restore();
}

[[noreturn]] void refused(const std::filesystem::path& path, const QString& reason) {
    throw UserError("The figure file \"" + path.string() + "\" could not be written: " + reason.toStdString());
}

// Only after the file was opened: a refused open may name a file or folder
// of the user's, which must stay.
[[noreturn]] void failed(const std::filesystem::path& path, const QString& reason) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    refused(path, reason);
}

}  // namespace

std::optional<FigureFormat> figureFormatNamed(std::string_view name) {
    if (name == "svg") return FigureFormat::Svg;
    if (name == "png") return FigureFormat::Png;
    if (name == "pdf") return FigureFormat::Pdf;
    return std::nullopt;
}

const char* extensionOf(FigureFormat format) {
    switch (format) {
        case FigureFormat::Png: return ".png";
        case FigureFormat::Pdf: return ".pdf";
        default: return ".svg";
    }
}

void paintFigure(QPainter& painter, const Figure& figure, const QRectF& target) {
    painter.save();
    painter.fillRect(target, Qt::white);
    const double scale = std::min(target.width() / figure.width, target.height() / figure.height);
    painter.translate(target.x() + (target.width() - figure.width * scale) / 2,
                      target.y() + (target.height() - figure.height * scale) / 2);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const Line& line : figure.guides) {
        painter.setPen(penOf(line));
        painter.drawLine(QPointF(line.x1, line.y1), QPointF(line.x2, line.y2));
    }
    for (const Rect& rect : figure.rects) {
        painter.setPen(QPen(qtColour(rect.stroke), 1));
        painter.setBrush(qtColour(rect.fill));
        painter.drawRect(QRectF(rect.x, rect.y, rect.width, rect.height));
    }
    painter.setBrush(Qt::NoBrush);
    for (const Line& line : figure.lines) {
        painter.setPen(penOf(line));
        painter.drawLine(QPointF(line.x1, line.y1), QPointF(line.x2, line.y2));
    }
    for (const Text& text : figure.texts) drawText(painter, text);
    painter.restore();
}

QSize figureSizeAt(const Figure& figure, int dpi) {
    return QSize(qRound(figure.width * dpi / 96.0), qRound(figure.height * dpi / 96.0));
}

QImage figureImage(const Figure& figure, QSize pixels) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintFigure(painter, figure, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
}

void writeFigure(const Figure& figure, const std::filesystem::path& path, FigureFormat format,
                 std::optional<QSize> pngSize) {
    const QString name = QString::fromStdString(path.string());
    switch (format) {
        case FigureFormat::Svg: writeSvgFile(figure, path); return;
        case FigureFormat::Png: {
            QImage image = figureImage(figure, pngSize.value_or(figureSizeAt(figure, ExportDpi)));
            if (!pngSize) {
                image.setDotsPerMeterX(qRound(ExportDpi / 0.0254));
                image.setDotsPerMeterY(qRound(ExportDpi / 0.0254));
            }
            QFile file(name);
            if (!file.open(QIODevice::WriteOnly)) refused(path, file.errorString());
            if (!image.save(&file, "PNG")) failed(path, "the image could not be encoded");
            file.close();
            if (file.error() != QFileDevice::NoError) failed(path, file.errorString());
            return;
        }
        case FigureFormat::Pdf: {
            QFile file(name);
            if (!file.open(QIODevice::WriteOnly)) refused(path, file.errorString());
            {
                QPdfWriter pdf(&file);
                pdf.setResolution(ExportDpi);
                pdf.setPageSize(QPageSize(QSizeF(figure.width * 72 / 96, figure.height * 72 / 96), QPageSize::Point));
                pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
                pdf.setTitle(QString::fromStdString(figure.title));
                QPainter painter;
                if (!painter.begin(&pdf)) failed(path, "the PDF could not be started");
                const QSize page = figureSizeAt(figure, ExportDpi);
                paintFigure(painter, figure, QRectF(QPointF(0, 0), QSizeF(page)));
                painter.end();
            }
            file.close();
            if (file.error() != QFileDevice::NoError) failed(path, file.errorString());
            return;
        }
    }
}

std::string figureBytes(const Figure& figure, FigureFormat format) {
    if (format == FigureFormat::Svg) return svgOf(figure);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == FigureFormat::Png) {
        QImage image = figureImage(figure, figureSizeAt(figure, ExportDpi));
        image.setDotsPerMeterX(qRound(ExportDpi / 0.0254));
        image.setDotsPerMeterY(qRound(ExportDpi / 0.0254));
        if (!image.save(&buffer, "PNG")) throw UserError("The figure could not be encoded as PNG.");
    } else {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(ExportDpi);
        pdf.setPageSize(QPageSize(QSizeF(figure.width * 72 / 96, figure.height * 72 / 96), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(QString::fromStdString(figure.title));
        QPainter painter;
        if (!painter.begin(&pdf)) throw UserError("The figure's PDF could not be started.");
        paintFigure(painter, figure, QRectF(QPointF(0, 0), QSizeF(figureSizeAt(figure, ExportDpi))));
        painter.end();
    }
    buffer.close();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void ensureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    // Qt's notes about the session (no runtime folder, no display) are not the
    // batch user's business; its errors still show.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    static int argc = 3;
    static char name[] = "cpt";
    static char option[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, option, platform, nullptr};
    // Kept for the life of the process: destroying it among the static
    // destructors at exit would race Qt's own.
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

}  // namespace cpt::figure_export
