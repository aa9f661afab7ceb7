// Consistency of the command table: the key routing and the menus look
// commands up by name and by typed character, so a transcription slip here
// silently loses a key.
#include "CommandLookup.h"
#include "ui/commands/CommandTable.h"

#include <QKeySequence>
#include <QTest>

#include <set>
#include <string>

using namespace pexa;
using pexa::testing::CommandNamed;

class TestCommandTable : public QObject {
    Q_OBJECT
private slots:
    void namesAreUnique() {
        std::set<std::string> names;
        int rows = 0;
        for (const CommandInfo& info : Commands()) {
            ++rows;
            QVERIFY2(names.insert(info.Name).second, info.Name);
        }
        QCOMPARE(rows, 85 + 44 + 15);
    }

    void everyBoundCharacterNamesACommandOnce() {
        std::set<char> seen;
        for (const KeyCharBinding& binding : KeyCharBindings()) {
            const char* name = InfoOf(binding.Target).Name;
            QVERIFY2(seen.insert(binding.Char).second, name);
            if (binding.Char != DecimalSeparatorKey)
                QVERIFY(binding.Char >= 33 && binding.Char <= 126);
        }
        QCOMPARE(seen.size(), std::size_t{54});
    }

    void shortcutsParseAsSingleKeys() {
        for (const CommandInfo& info : Commands())
            for (const char* text : {info.Shortcut, info.SecondaryShortcut}) {
                if (*text == 0)
                    continue;
                const QKeySequence sequence(QString::fromUtf8(text));
                QVERIFY2(sequence.count() == 1, text);
                QVERIFY2(sequence[0].key() != Qt::Key_unknown, text);
            }
    }

    void modeCommandsCarryTheirModeCode() {
        const char* modes[] = {"actionModeByte", "actionModeWord", "actionModeDWord",
                               "actionModeInt64", "actionModeReal"};
        for (int code = 0; code < 5; ++code) {
            const std::optional<Command> command = CommandNamed(modes[code]);
            QVERIFY(command.has_value());
            const CommandInfo& info = InfoOf(*command);
            QCOMPARE(static_cast<int>(std::get<CalcValueMode>(info.Payload)), code);
        }
    }
};

QTEST_MAIN(TestCommandTable)
#include "test_commandtable.moc"
