// The real program, killed while its work is unsaved, brings the work back on the next start.
#include "app/MainForm.h"
#include "app/QtProgram.h"
#include "app/RecoveryOffer.h"
#include "formats/PngCodec.h"
#include "image/AtomicFile.h"
#include "state/IniFile.h"
#include "support/ChildScenario.h"
#include "support/TestSupport.h"
#include "views/LupeForm.h"
#include "widgets/MogPaintBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace vallo;
namespace fs = std::filesystem;

namespace {

std::string ChildDir() {
    return std::getenv("VALLO_CHILD_DIR");
}

void SaveDocument(const EditorState& s, const std::string& path) {
    WriteFileAtomically(path, EncodePNG(s.MainImage, s.ForbiddenFlags, s.TransColor));
}

// Starts the program on the folder, draws a stroke through the magnifier's mouse handling,
// keeps the result and goes on running until it is killed.
const test::ChildScenario drawChild("recovery-draw", [] {
    QtProgram p(ChildDir());
    p.Show();
    if (!QTest::qWaitFor([&] { return !p.s.StartingUp; }, 30000))
        return 3;
    p.s.DrawColor = 200;
    QWidget* box = p.w.LupeForm->LupeBox();
    const int m = p.s.Magnification;
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(2 * m + 1, 3 * m + 1));
    QTest::mouseMove(box, QPoint(9 * m + 1, 5 * m + 1));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(9 * m + 1, 5 * m + 1));
    SaveDocument(p.s, ChildDir() + "expected.png");
    for (;;)
        QTest::qWait(100);
});

// Starts the program again, answers Yes to the recovery question and reports the document.
const test::ChildScenario restoreChild("recovery-restore", [] {
    QtProgram p(ChildDir());
    std::string asked = "not asked";
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box->text() != QString::fromUtf8(kMsgRestoreRecovery))
            return;
        QAbstractButton* yes = box->button(QMessageBox::Yes);
        asked = box->defaultButton() == yes ? "Yes default" : "other default";
        yes->click();
    });
    answer.start(20);
    p.Show();
    if (!QTest::qWaitFor([&] { return !p.s.StartingUp; }, 30000))
        return 3;
    SaveDocument(p.s, ChildDir() + "restored.png");
    std::ofstream(ChildDir() + "restored.txt") << asked << "\n"
                                               << p.s.FileName << "\n"
                                               << p.s.Modified << "\n"
                                               << p.w.MainForm->windowTitle().toStdString() << "\n";
    return 0;
});

pid_t Spawn(const char* scenario, const std::string& dir) {
    setenv("VALLO_CHILD", scenario, 1);
    setenv("VALLO_CHILD_DIR", dir.c_str(), 1);
    char exe[] = "/proc/self/exe";
    char* argv[] = {exe, nullptr};
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, exe, nullptr, nullptr, argv, environ), 0);
    unsetenv("VALLO_CHILD");
    return pid;
}

bool HasCopy(const std::string& folder) {
    std::error_code ec;
    fs::directory_iterator files(folder, ec), end;
    return std::any_of(files, end, [](const auto& e) { return e.path().extension() == ".txt"; });
}

} // namespace

TEST(ProgramRecovery, KilledRunComesBackWithPixelsPaletteMarksAndName) {
    test::TempDir tmp;
    const std::string dir = tmp.Dir();
    fs::copy(VALLO_SYS_DIR, dir + "sys", fs::copy_options::recursive);
    fs::copy(std::string(VALLO_TESTDATA) + "/pngsuite/ccwn3p08.png", dir + "work.png");
    IniFile ini;
    ini.WriteString("File", "最近使ったファイル1", dir + "work.png");
    ini.Save(dir + "sys/vallo.ini");

    const pid_t first = Spawn("recovery-draw", dir);
    const std::string recovery = dir + "sys/recovery/";
    for (int i = 0; i < 600 && !HasCopy(recovery); ++i)
        QTest::qSleep(100);
    kill(first, SIGKILL);
    int status = 0;
    waitpid(first, &status, 0);
    ASSERT_TRUE(HasCopy(recovery));

    const pid_t second = Spawn("recovery-restore", dir);
    ASSERT_EQ(waitpid(second, &status, 0), second);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::vector<uint8_t> expected = ReadWholeFile(dir + "expected.png");
    EXPECT_NE(expected, ReadWholeFile(dir + "work.png")); // the stroke changed the picture
    EXPECT_EQ(ReadWholeFile(dir + "restored.png"), expected);
    EXPECT_EQ(ReadTextFileLimited(dir + "restored.txt", 4096),
              "Yes default\n" + dir + "work.png\n1\nVallo [work.png]\n");
}
