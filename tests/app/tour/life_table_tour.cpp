// Not a test: the Life table window on the real screen (run it under Xvfb
// at a given screen size), photographed with its records read and again
// after the bootstrap.
//
//   life_table_tour OUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <iostream>

#include "app/life_table_window.h"
#include "app/study_window.h"

namespace {

QString outFolder;

void shoot(const QString& name) {
    QApplication::processEvents();
    QTest::qWait(400);
    QApplication::processEvents();
    const QString path = QDir(outFolder).filePath(name + ".png");
    QGuiApplication::primaryScreen()->grabWindow(0).save(path);
    std::cout << path.toStdString() << '\n';
}

// Three hosts of 40 individuals in long form, the females laying from day 5.
QString records() {
    QString text = "treatment,individual,sex,age,eggs\r\n";
    const char* hosts[] = {"Maize", "Sorghum", "Wheat"};
    for (int t = 0; t < 3; ++t) {
        for (int i = 0; i < 40; ++i) {
            const bool female = i % 5 != 0;
            const int days = 4 + (i * 7 + t * 3) % (18 + 4 * t);
            for (int age = 1; age <= days; ++age) {
                const int eggs = female && age >= 5 ? (i + age * (t + 2)) % (6 + t) : 0;
                text += QString("%1,%2%3,%4,%5,%6\r\n")
                            .arg(hosts[t]).arg(QChar(hosts[t][0])).arg(i + 1).arg(female ? "f" : "m").arg(age).arg(eggs);
            }
        }
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) return 2;
    outFolder = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir in, out;
    const QString path = in.filePath("cohort.csv");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(records().toUtf8()) < 0) return 1;
    file.close();

    cpt::app::StudyWindow* study = nullptr;
    cpt::app::LifeTableWindow window(out.path(), [&] {
        if (study == nullptr) study = new cpt::app::StudyWindow(out.path());
        study->show();
        return study;
    });
    window.resize(QGuiApplication::primaryScreen()->availableGeometry().size() * 0.96);
    window.show();
    window.addFiles({path});
    window.findChild<QSpinBox*>(cpt::app::life_parts::Bootstrap)->setValue(20000);
    shoot("life-table-1-before-run");
    if (!window.run()) return 1;
    shoot("life-table-2-after-run");
    window.openStudy();
    shoot("life-table-3-study-window");
    delete study;
    return 0;
}
