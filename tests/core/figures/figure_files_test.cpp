// The SVG file writer: a finished file replaces the old one, a half-written
// one is removed, and what the writer could not open is left alone.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/figures/figure_files.h"
#include "core/figures/svg_writer.h"
#include "support/test_files.h"

namespace cpt::figures {
namespace {

using testing::readFile;
using testing::TempFolder;

Figure titledFigure() {
    Figure figure;
    figure.title = "Means";
    return figure;
}

TEST(SvgFile, ReplacesAnOldFile) {
    TempFolder folder;
    const std::filesystem::path path = folder.write("means.svg", "old");
    writeSvgFile(titledFigure(), path);
    EXPECT_EQ(readFile(path), svgOf(titledFigure()));
}

TEST(SvgFile, KeepsWhatItCouldNotOpenAndRemovesWhatItLeftHalfWritten) {
    TempFolder folder;
    // An empty folder of the file's name: std::filesystem::remove would take it.
    const std::filesystem::path taken = folder.path() / "means.svg";
    std::filesystem::create_directory(taken);
    EXPECT_THROW(writeSvgFile(titledFigure(), taken), std::exception);
    EXPECT_TRUE(std::filesystem::is_directory(taken));

    const std::filesystem::path full = folder.path() / "pair-1-2.svg";
    std::filesystem::create_symlink("/dev/full", full);
    EXPECT_THROW(writeSvgFile(titledFigure(), full), std::exception);
    EXPECT_FALSE(std::filesystem::is_symlink(full));
}

}  // namespace
}  // namespace cpt::figures
