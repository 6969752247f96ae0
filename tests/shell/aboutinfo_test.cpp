#include "shell/aboutinfo.h"
#include "shellfakes.h"
#include "testsupport.h"

using namespace platform;

namespace {

using AboutInfoTest = FrameworkTest;

TEST_F(AboutInfoTest, GetKeyValueGivesTextByTypeOrFalseAndEmpty)
{
    struct Case {
        const char* what;
        quint32 type;
        QByteArray data;
        bool found;
        QString expected;
        const char* name = "V"; // the value asked for
    };
    FakeRegistry registry;
    const Case cases[] = {
        {"string with its zero", reg::RegSz, QByteArray("C:\\Tools\0", 9), true, "C:\\Tools"},
        {"string without it", reg::RegSz, QByteArray("C:\\Tools"), true, "C:\\Tools"},
        {"empty string with its zero", reg::RegSz, QByteArray("\0", 1), true, ""},
        {"8-bit text", reg::RegSz, QString("Caf\u00e9").toLocal8Bit() + '\0', true, "Caf\u00e9"},
        {"number over a byte", reg::RegDword, QByteArray("\x05\x01\0\0", 4), true, "261"},
        {"largest number", reg::RegDword, QByteArray("\xff\xff\xff\xff", 4), true, "4294967295"},
        {"other type keeps the caller's text", reg::RegBinary, QByteArray("\x01\x02", 2), true, "caller"},
        {"longer than the buffer", reg::RegSz, QByteArray(1025, 'a'), false, ""},
        {"no such value", reg::RegSz, QByteArray("x"), false, "", "Nope"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        registry.set("K", "V", c.type, c.data);
        QString value = QStringLiteral("caller");
        EXPECT_EQ(about::GetKeyValue(reg::LocalMachine, "K", c.name, value), c.found);
        EXPECT_EQ(value, c.expected);
    }
    EXPECT_EQ(registry.openCount, 0); // every opened key was closed
    EXPECT_TRUE(registry.onlyRead);
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
