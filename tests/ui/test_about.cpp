// The about box and the version section it reads from the executable.

#include "ui/AboutDialog.h"
#include "ui/HelpWindow.h"
#include "ui/Language.h"
#include "ui/MainWindow.h"
#include "ui/VersionInfo.h"

#include "settings/Profile.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cstring>
#include <utility>
#include <vector>

using namespace pexa;

namespace {

// A small ELF image with a null section, the section names and, when asked,
// a version section; the byte order and class are chosen by the test.
struct ElfSpec {
    bool Is64 = true;
    bool BigEndian = false;
    bool WithVersion = true;
    bool ExtendedNumbering = false; // count and names' index in section 0
    const char* Magic = VersionMagic;
    FileVersion Version{1, 2, 3, 4};
};

class ElfBuilder {
public:
    explicit ElfBuilder(const ElfSpec& spec) : spec_(spec) {}

    std::vector<unsigned char> Build() {
        const std::size_t headerSize = spec_.Is64 ? 64 : 52;
        const std::size_t entrySize = spec_.Is64 ? 64 : 40;
        const std::string names = std::string("\0.shstrtab\0", 11) + VersionSectionName + '\0';
        const std::size_t namesAt = headerSize;
        const std::size_t recordAt = (namesAt + names.size() + 7) / 8 * 8;
        const std::size_t tableAt = recordAt + sizeof(VersionRecord);
        const int sections = spec_.WithVersion ? 3 : 2;

        bytes_.assign(tableAt + entrySize * static_cast<std::size_t>(sections), 0);
        const unsigned char ident[] = {0x7F,
                                       'E',
                                       'L',
                                       'F',
                                       static_cast<unsigned char>(spec_.Is64 ? 2 : 1),
                                       static_cast<unsigned char>(spec_.BigEndian ? 2 : 1),
                                       1};
        std::memcpy(bytes_.data(), ident, sizeof ident);
        const std::size_t w = spec_.Is64 ? 8 : 4;
        Put(16, 2, 2); // executable
        Put(20, 4, 1);
        Put(spec_.Is64 ? 0x28 : 0x20, w, tableAt);
        Put(spec_.Is64 ? 0x34 : 0x28, 2, headerSize);
        Put(spec_.Is64 ? 0x3A : 0x2E, 2, entrySize);
        Put(spec_.Is64 ? 0x3C : 0x30, 2, spec_.ExtendedNumbering ? 0 : sections);
        Put(spec_.Is64 ? 0x3E : 0x32, 2, spec_.ExtendedNumbering ? 0xFFFF : 1);

        std::memcpy(bytes_.data() + namesAt, names.data(), names.size());
        std::memcpy(bytes_.data() + recordAt, spec_.Magic, VersionMagicSize);
        const std::uint16_t parts[4] = {spec_.Version.Major, spec_.Version.Minor,
                                        spec_.Version.Release, spec_.Version.Build};
        for (int i = 0; i < 4; ++i)
            Put(recordAt + VersionMagicSize + 2 * static_cast<std::size_t>(i), 2, parts[i]);

        if (spec_.ExtendedNumbering) {
            Section(tableAt, 0, 0, 0, 0, static_cast<std::uint64_t>(sections));
            Put(tableAt + (spec_.Is64 ? 0x28 : 0x18), 4, 1);
        }
        Section(tableAt + entrySize, 1, 3, namesAt, names.size(), 0);
        if (spec_.WithVersion)
            Section(tableAt + 2 * entrySize, 11, 1, recordAt, sizeof(VersionRecord), 0);
        return bytes_;
    }

private:
    void Put(std::size_t at, std::size_t width, std::uint64_t value) {
        for (std::size_t i = 0; i < width; ++i) {
            const std::size_t index = spec_.BigEndian ? width - 1 - i : i;
            bytes_[at + index] = static_cast<unsigned char>(value >> (8 * i));
        }
    }
    void Section(std::size_t at, std::uint32_t name, std::uint32_t type, std::uint64_t offset,
                 std::uint64_t size, std::uint64_t zeroSize) {
        const std::size_t w = spec_.Is64 ? 8 : 4;
        Put(at, 4, name);
        Put(at + 4, 4, type);
        Put(at + (spec_.Is64 ? 0x18 : 0x10), w, offset);
        Put(at + (spec_.Is64 ? 0x20 : 0x14), w, size != 0 ? size : zeroSize);
    }

    ElfSpec spec_;
    std::vector<unsigned char> bytes_;
};

std::vector<unsigned char> ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

// Calls the check with the about box once it is up, then leaves it by Esc.
void WhenAboutBoxShows(const std::function<void(AboutDialog&)>& check, bool* seen) {
    QTimer::singleShot(0, [check, seen] {
        auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
        if (about == nullptr) {
            QTimer::singleShot(10, [check, seen] { WhenAboutBoxShows(check, seen); });
            return;
        }
        *seen = true;
        check(*about);
        QTest::keyClick(about, Qt::Key_Escape);
    });
}

} // namespace

Q_DECLARE_METATYPE(ElfSpec)

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void controls() {
        AboutDialog about;
        QCOMPARE(about.windowTitle(), QStringLiteral("バージョン情報"));
        QCOMPARE(about.size(), QSize(368, 161));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QVERIFY(!about.windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
        QVERIFY(!about.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

        QCOMPARE(about.ImgIcon()->geometry(), QRect(8, 8, 32, 32));
        QVERIFY(!about.ImgIcon()->pixmap().isNull());
        QCOMPARE(about.LblAppName()->text(), QStringLiteral("pexa"));
        QVERIFY(about.LblAppName()->font().bold());
        QCOMPARE(about.LblAppName()->font().pixelSize(), 13);
        QVERIFY(!about.LblAppDescr()->text().isEmpty());
        QCOMPARE(about.LblVersion()->text(), QStringLiteral("Version  1.01"));
        QVERIFY(!about.LblCopyright()->text().isEmpty());
        QCOMPARE(about.LblSupport()->text(), QStringLiteral("サポートページ:"));
        QVERIFY(about.LblBuild()->geometry().left() > about.LblVersion()->geometry().right());
        QCOMPARE(about.LblBuild()->y(), about.LblVersion()->y());

        QLineEdit* url = about.TextURL();
        QVERIFY(url->isReadOnly());
        QVERIFY(!url->hasFrame());
        QVERIFY(!(url->focusPolicy() & Qt::TabFocus));
        // Nothing made up: the manual beside the program, and the licence it ships with.
        QCOMPARE(url->text(), QDir::toNativeSeparators(HelpWindow::DefaultHelpFile()));
        QVERIFY(about.LblCopyright()->text().contains(QStringLiteral("MIT License")));
        QCOMPARE(url->palette().color(QPalette::Base), about.palette().color(QPalette::Window));
        QCOMPARE(url->geometry().right(), about.width() - 8 - 1);

        QPushButton* close = about.CmdClose();
        QCOMPARE(close->text(), QStringLiteral("閉じる"));
        QVERIFY(close->isDefault());
        QCOMPARE(close->geometry().right(), about.width() - 8 - 1);
        QCOMPARE(close->y(), 8);
        // The text lines: left aligned at 52, one every 22 pixels, the
        // support line after a wider gap, each as large as its text, and the
        // address right below.
        const std::pair<QLabel*, int> lines[] = {{about.LblAppName(), 8},
                                                 {about.LblAppDescr(), 30},
                                                 {about.LblVersion(), 52},
                                                 {about.LblCopyright(), 74},
                                                 {about.LblSupport(), 104}};
        for (const auto& [label, top] : lines) {
            QCOMPARE(label->pos(), QPoint(52, top));
            QCOMPARE(label->size(), label->sizeHint());
        }
        QCOMPARE(about.LblBuild()->x(), about.LblVersion()->geometry().right() + 1 + 8);
        QCOMPARE(about.LblBuild()->size(), about.LblBuild()->sizeHint());
        QCOMPARE(url->geometry().topLeft(),
                 QPoint(52, about.LblSupport()->geometry().bottom() + 1 + 2));
        QCOMPARE(url->height(), url->sizeHint().height());
        QCOMPARE(close->size(), QSize(75, 25));
        for (const char* name : {"ImgIcon", "LblAppName", "LblAppDescr", "LblVersion", "LblBuild",
                                 "LblCopyright", "LblSupport", "TextURL", "CmdClose"})
            QVERIFY2(about.findChild<QWidget*>(QString::fromLatin1(name)) != nullptr, name);
    }

    // The line before the manual's path names it as what it is; the Japanese
    // texts and the version line read as they always have.
    void manualLineNamesTheManual() {
        const auto desktopLanguage = qScopeGuard([] { ApplyLanguage(UiLanguage::Automatic); });
        ApplyLanguage(UiLanguage::English);
        {
            AboutDialog about;
            QCOMPARE(about.LblSupport()->text(), QStringLiteral("Manual:"));
            QCOMPARE(about.LblVersion()->text(), QStringLiteral("Version  1.01"));
        }
        ApplyLanguage(UiLanguage::Japanese);
        AboutDialog about;
        QCOMPARE(about.LblSupport()->text(), QStringLiteral("サポートページ:"));
    }

    void buildLabelFromOwnExecutable() {
        AboutDialog about;
        QVERIFY(!about.LblBuild()->isHidden());
        QCOMPARE(about.LblBuild()->text(), QStringLiteral("(Build 1.1.0.0)"));
    }

    void closingKeys_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }

    void closingKeys() {
        QFETCH(int, key);
        AboutDialog about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        about.setResult(-1);
        QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget()
                                                                 : static_cast<QWidget*>(&about);
        QTest::keyClick(target, static_cast<Qt::Key>(key));
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

    void commandShowsModalBoxOwnedByWindow() {
        QTemporaryDir dir;
        ProfilePathOverride profile(dir.filePath(QStringLiteral("pexa.ini")).toStdString());
        MainWindow window;
        bool seen = false;
        WhenAboutBoxShows(
            [&window](AboutDialog& about) {
                QVERIFY(about.isModal());
                QCOMPARE(about.parentWidget(), &window);
            },
            &seen);
        QVERIFY(window.Execute(Command::HelpVersion));
        QVERIFY(seen);
        // Destroyed when it closed.
        QVERIFY(window.findChildren<AboutDialog*>().isEmpty());
    }

    void formatBuild_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("label") << "(Build %d.%d.%d.%d)"
                               << "(Build 1.65535.0.7)";
        QTest::newRow("fewer fields") << "%d-%d"
                                      << "1-65535";
        QTest::newRow("more fields") << "%d.%d.%d.%d.%d"
                                     << "1.65535.0.7.%d";
        QTest::newRow("percent alone") << "100% %d%"
                                       << "100% 1%";
    }

    void formatBuild() {
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(AboutDialog::FormatBuild(format, FileVersion{1, 65535, 0, 7}), expected);
    }

    void ownExecutableCarriesBuildVersion() {
        QCOMPARE(BuildFileVersion(), (FileVersion{1, 1, 0, 0}));
        QCOMPARE(ReadOwnFileVersion(), std::optional(BuildFileVersion()));
        const std::vector<unsigned char> image = ReadAll(QCoreApplication::applicationFilePath());
        QVERIFY(!image.empty());
        QCOMPARE(ParseElfVersion(image), std::optional(BuildFileVersion()));
    }

    void strippedCopyHasNoBuildLabel() {
        const QString objcopy = QStandardPaths::findExecutable(QStringLiteral("objcopy"));
        if (objcopy.isEmpty())
            QSKIP("objcopy is not installed");
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("copy"));
        const QString stripped = dir.filePath(QStringLiteral("stripped"));
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
        QCOMPARE(QProcess::execute(
                     objcopy, {QStringLiteral("--remove-section=.pexa_version"), copy, stripped}),
                 0);
        QCOMPARE(ReadFileVersion(copy.toStdString()), std::optional(BuildFileVersion()));
        QCOMPARE(ReadFileVersion(stripped.toStdString()), std::nullopt);

        AboutDialog plain(nullptr, copy);
        QVERIFY(!plain.LblBuild()->isHidden());
        AboutDialog withoutVersion(nullptr, stripped);
        QVERIFY(withoutVersion.LblBuild()->isHidden());
        QCOMPARE(withoutVersion.LblBuild()->text(), QStringLiteral("(Build %d.%d.%d.%d)"));
    }

    // Objects made by binutils in each ELF class and byte order, the record
    // written in the target's byte order.
    void binutilsObjects() {
        const QString objcopy = QStandardPaths::findExecutable(QStringLiteral("objcopy"));
        if (objcopy.isEmpty())
            QSKIP("objcopy is not installed");
        QTemporaryDir dir;
        struct Target {
            const char* Name;
            bool BigEndian;
        };
        for (const Target target : {Target{"elf32-i386", false}, Target{"elf64-x86-64", false},
                                    Target{"elf32-big", true}, Target{"elf64-big", true}}) {
            QByteArray record(VersionMagic, VersionMagicSize);
            for (const int part : {1, 2, 3, 0xFEDC}) {
                const char high = static_cast<char>(part >> 8);
                const char low = static_cast<char>(part & 0xFF);
                record +=
                    target.BigEndian ? QByteArray{&high, 1} + low : QByteArray{&low, 1} + high;
            }
            const QString raw = dir.filePath(QStringLiteral("record.bin"));
            const QString object = dir.filePath(QString::fromLatin1(target.Name) + ".o");
            QFile file(raw);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(record);
            file.close();
            const int status =
                QProcess::execute(objcopy, {"-I", "binary", "-O", target.Name, "--rename-section",
                                            ".data=.pexa_version", raw, object});
            if (status != 0) {
                qWarning("objcopy cannot write %s; skipped", target.Name);
                continue;
            }
            QCOMPARE(ReadFileVersion(object.toStdString()),
                     std::optional(FileVersion{1, 2, 3, 0xFEDC}));
        }
    }

    void unreadableFilesHaveNoVersion() {
        QTemporaryDir dir;
        QCOMPARE(ReadFileVersion(dir.filePath(QStringLiteral("missing")).toStdString()),
                 std::nullopt);
        QCOMPARE(ReadFileVersion(dir.path().toStdString()), std::nullopt);
        QCOMPARE(ReadFileVersion("/dev/null"), std::nullopt);
        AboutDialog about(nullptr, dir.filePath(QStringLiteral("missing")));
        QVERIFY(about.LblBuild()->isHidden());
    }

    void elfImages_data() {
        QTest::addColumn<ElfSpec>("spec");
        QTest::addColumn<bool>("found");
        for (const bool is64 : {false, true})
            for (const bool big : {false, true}) {
                const QByteArray name = QByteArray(is64 ? "64" : "32") + (big ? " BE" : " LE");
                QTest::newRow(name) << ElfSpec{is64, big} << true;
                QTest::newRow(name + " extended numbering")
                    << ElfSpec{is64, big, true, true} << true;
                QTest::newRow(name + " no section") << ElfSpec{is64, big, false} << false;
                QTest::newRow(name + " wrong magic")
                    << ElfSpec{is64, big, true, false, "PEXAFVEX"} << false;
            }
    }

    void elfImages() {
        QFETCH(ElfSpec, spec);
        QFETCH(bool, found);
        const std::vector<unsigned char> image = ElfBuilder(spec).Build();
        const std::optional<FileVersion> version = ParseElfVersion(image);
        QCOMPARE(version.has_value(), found);
        if (found)
            QCOMPARE(*version, spec.Version);
        // The section table comes last: every cut of the image loses part of
        // it and is refused without reading past its end.
        for (std::size_t size = 0; size < image.size(); ++size)
            QVERIFY(!ParseElfVersion(std::span(image.data(), size)).has_value());
    }

    void damagedImagesAreRefused() {
        const std::vector<unsigned char> good = ElfBuilder(ElfSpec{}).Build();
        QVERIFY(ParseElfVersion(good).has_value());
        struct Damage {
            const char* Name;
            std::size_t At;
            std::vector<unsigned char> Bytes;
        };
        const std::size_t table = good.size() - 3 * 64;
        const std::vector<Damage> damages = {
            {"not ELF", 0, {0x7E}},
            {"class 3", 4, {3}},
            {"byte order 0", 5, {0}},
            {"table past the end", 0x28, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}},
            {"table offset 0", 0x28, {0, 0, 0, 0, 0, 0, 0, 0}},
            {"entries too small", 0x3A, {8, 0}},
            {"too many sections", 0x3C, {0xFF, 0xFE}},
            {"names index out of range", 0x3E, {9, 0}},
            {"name offset out of range", table + 2 * 64, {0xFF, 0xFF, 0, 0}},
            {"names past the end", table + 64 + 0x20, {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}},
            {"record past the end", table + 2 * 64 + 0x18, {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}},
            {"record too small", table + 2 * 64 + 0x20, {8, 0, 0, 0, 0, 0, 0, 0}},
            {"record without bits", table + 2 * 64 + 4, {8, 0, 0, 0}},
        };
        for (const Damage& damage : damages) {
            std::vector<unsigned char> image = good;
            std::copy(damage.Bytes.begin(), damage.Bytes.end(),
                      image.begin() + static_cast<std::ptrdiff_t>(damage.At));
            QVERIFY2(!ParseElfVersion(image).has_value(), damage.Name);
        }
        for (std::size_t size = 0; size < good.size(); ++size)
            QVERIFY(!ParseElfVersion(std::span(good.data(), size)).has_value());
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
