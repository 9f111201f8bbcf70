#pragma once
#include <QString>

class QWidget;

namespace cpt::app {

// The user guide's page for a program in programFolder: the installed one
// (prefix/share/doc/cpt/guide.html beside prefix/bin), else the one the
// build made (build/docs/guide/guide.html, two folders above
// build/src/app); empty when neither is there.
QString userGuideFile(const QString& programFolder);

// Opens the guide in the desktop's browser, or says why it cannot.
void openUserGuide(QWidget* parent);

}  // namespace cpt::app
