#pragma once
// The study table as the text files a paper takes. Every line ends CR LF. In
// the formats that can raise text the letters follow the values as a
// superscript with no blank between; CSV and Markdown carry the cell text.
#include <string>

#include "core/study/study_table.h"

namespace cpt {

// Tidy rows, UTF-8 with a byte-order mark, RFC 4180 quoting: parameter,
// treatment, n, B, estimate, SE (text form, 15 significant digits), letters
// and the cell text.
std::string studyTableCsv(const StudyTable& table);

// A standalone UTF-8 page: a plain <table> with inline styles and the
// letters in <sup>, so a paste into a word processor keeps them; the note
// below.
std::string studyTableHtml(const StudyTable& table);

// A booktabs tabular for \usepackage{booktabs}, the note as paragraphs after it.
std::string studyTableTex(const StudyTable& table);

// A pipe table with the cell texts, the note as paragraphs after it.
std::string studyTableMarkdown(const StudyTable& table);

}  // namespace cpt
