// The report's texts as bytes: UTF-8 for whatever a label holds, JSON escapes
// where needed, at every length around the writer's eight-character steps.
#include "cli/reportwriter.h"
#include "model/mainformview.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string jsonField(const std::string& line, const std::string& key)
{
    const std::string start = "\"" + key + "\":";
    const size_t at = line.find(start);
    if (at == std::string::npos)
        return "<missing>";
    const size_t from = at + start.size();
    size_t to = from + 1;
    while (to < line.size() && line[to] != '"')
        to += line[to] == '\\' ? 2 : 1;
    return line.substr(from, to + 1 - from);
}

TEST(ReportWriter, LabelTextsBecomeUtf8AndJsonEscapes)
{
    struct Row {
        QString label;
        std::string json;
    };
    const Row rows[] = {
        {QStringLiteral("0 (00.00%)"), R"j("0 (00.00%)")j"},
        {QStringLiteral("1234567"), R"j("1234567")j"},
        {QStringLiteral("12345678"), R"j("12345678")j"},
        {QStringLiteral("123456789"), R"j("123456789")j"},
        {QString::fromUtf8("57316 (87\xd9\xab" "46%)"), "\"57316 (87\xd9\xab" "46%)\""}, // Arabic decimal separator
        {QString::fromUtf8("1234567\xc3\xa9"), "\"1234567\xc3\xa9\""},                  // the wide one ninth
        {QString::fromUtf8("\xe8\x80\x80xxxxxxx"), "\"\xe8\x80\x80xxxxxxx\""},           // U+8000 first
        {QStringLiteral("say \"hi\""), R"j("say \"hi\"")j"},
        {QStringLiteral("abcdefg\\"), R"j("abcdefg\\")j"},
        {QStringLiteral("tab\there, line\nend"), R"j("tab\there, line\nend")j"},
        {QString(QChar(1)) + QStringLiteral("1234567890123456"), R"j("\u00011234567890123456")j"},
        {QString::fromUtf8("\xc4\xa2quote-like"), "\"\xc4\xa2quote-like\""}, // U+0122 ends in the byte of a quote
    };
    for (const Row& r : rows) {
        MainFormView view = MainFormView::design();
        view.lblValues[5] = r.label;
        std::string json;
        cli::AppendJson(json, cli::AddressInput{{10, 0, 0, 1}, 8}, view);
        EXPECT_EQ(jsonField(json, "subnets"), r.json) << r.label.toStdString();

        std::string text;
        cli::AppendText(text, cli::AddressInput{{10, 0, 0, 1}, 8}, view, cli::Colour::Off);
        EXPECT_NE(text.find("Number of subnets:        " + r.label.toStdString() + "\n"), std::string::npos)
            << r.label.toStdString();
    }
}

TEST(ReportWriter, AppendsAfterWhatIsAlreadyThere)
{
    MainFormView view = MainFormView::design();
    std::string out = "before\n";
    cli::AppendJson(out, cli::AddressInput{{10, 0, 0, 1}, 8}, view);
    const size_t first = out.size();
    cli::AppendJson(out, cli::AddressInput{{10, 0, 0, 1}, 8}, view);
    EXPECT_EQ(out.substr(0, 7), "before\n");
    EXPECT_EQ(out.substr(7, first - 7), out.substr(first));
    EXPECT_EQ(out.back(), '\n');
}

} // namespace
