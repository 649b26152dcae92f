#include "ErrorNumber.h"
#include "TextBox.h"
#include "UpDownText.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <gmock/gmock.h>

using namespace vellum;
using namespace vellum::common;

namespace {

struct StepRow
{
    const char* name;
    double min, max, increment;
    int decimals;
    QString text;
    Qt::Key key;
    QString expected;
};

void PrintTo(const StepRow& row, std::ostream* out)
{
    *out << row.name;
}

class UpDownTextSteps : public ::testing::TestWithParam<StepRow>
{};

// A window with the box and a second widget to take focus away.
class FocusWindow
{
public:
    explicit FocusWindow(QWidget* box)
    {
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(other = new QLineEdit);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        box->setFocus();
    }
    void takeFocus() { other->setFocus(); }

    QWidget window;
    QLineEdit* other = nullptr;
};

} // namespace

TEST_P(UpDownTextSteps, StepsClampsAndFormats)
{
    const StepRow row = GetParam();
    UpDownText box;
    box.setMax(row.max);
    box.setMin(row.min);
    box.setIncrement(row.increment);
    box.setDecimalPlaces(row.decimals);
    box.setDefaultValue(5);
    box.setText(row.text);
    QSignalSpy changes(&box, &UpDownText::Change);
    QTest::keyClick(&box, row.key);
    EXPECT_EQ(box.Text(), row.expected);
    EXPECT_EQ(changes.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UpDownTextSteps,
    ::testing::Values(StepRow{"Up", 1, 1000, 10, 0, QStringLiteral("100"), Qt::Key_Up,
                              QStringLiteral("110")},
                      StepRow{"DownClampsAtMin", 1, 1000, 10, 0, QStringLiteral("5"), Qt::Key_Down,
                              QStringLiteral("1")},
                      StepRow{"UpFromAboveMaxClamps", 0, 100, 5, 0, QStringLiteral("250"),
                              Qt::Key_Down, QStringLiteral("100")},
                      StepRow{"TwoDecimals", 0, 100, 0.1, 2, QStringLiteral("1.25"), Qt::Key_Up,
                              QStringLiteral("1.35")},
                      StepRow{"NoiseRoundedAway", 0, 100, 0.1, 1, QStringLiteral("0.2"), Qt::Key_Up,
                              QStringLiteral("0.3")},
                      StepRow{"InvalidStartsFromDefault", 0, 100, 1, 0, QStringLiteral("abc"),
                              Qt::Key_Up, QStringLiteral("6")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UpDownText, ArrowButtonStepsToo)
{
    UpDownText box;
    box.resize(80, 24);
    box.setText(QStringLiteral("7"));
    QSignalSpy changes(&box, &UpDownText::Change);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() - 4, 5));
    EXPECT_EQ(box.Text(), QStringLiteral("8"));
    EXPECT_EQ(changes.count(), 1);
}

TEST(UpDownText, CommitsOnEnterAndOnFocusLossAfterAnEdit)
{
    auto* box = new UpDownText;
    FocusWindow focus(box);
    QSignalSpy commits(box, &UpDownText::Commit);

    QTest::keyClicks(box, QStringLiteral("12x"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(commits.count(), 1);
    EXPECT_EQ(box->Text(), QStringLiteral("12x")); // never rewritten on commit

    focus.takeFocus(); // nothing edited since the commit
    EXPECT_EQ(commits.count(), 1);

    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    EXPECT_EQ(commits.count(), 1) << "moving the cursor is no edit";
    QTest::keyClick(box, Qt::Key_Backspace);
    focus.takeFocus();
    EXPECT_EQ(commits.count(), 2);
    EXPECT_EQ(box->Text(), QStringLiteral("12"));
    EXPECT_DOUBLE_EQ(box->value(), 12.0);

    box->setFocus();
    QTest::keyClick(box, Qt::Key_Enter);
    EXPECT_EQ(commits.count(), 3);
}

TEST(UpDownText, ValueReadsLocaleAndCAndRefusesText)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    UpDownText box;
    box.setText(QStringLiteral(" 1,5 "));
    EXPECT_DOUBLE_EQ(box.value(), 1.5);
    box.setText(QStringLiteral("2.25"));
    EXPECT_DOUBLE_EQ(box.value(), 2.25);
    box.setDecimalPlaces(2);
    EXPECT_EQ(box.format(1.5), QStringLiteral("1,50"));
    EXPECT_EQ(box.format(-0.001), QStringLiteral("0,00"));
    QLocale::setDefault(QLocale::c());

    for (const QString& text : {QString(), QStringLiteral("abc"), QStringLiteral("1.2.3")}) {
        box.setText(text);
        EXPECT_EQ(vellum::testing::errorNumberOf([&] { box.value(); }), ErrorNumber::TypeMismatch)
            << text.toStdString();
    }
    EXPECT_THROW(box.setMin(1000), Error);
    EXPECT_THROW(box.setIncrement(0), Error);
    EXPECT_EQ(box.Min(), 0.0);
}

TEST(TextBox, ChangeOnEditCommitOnEnterAndFocusLoss)
{
    auto* box = new TextBox;
    FocusWindow focus(box);
    QSignalSpy changes(box, &TextBox::Change);
    QSignalSpy commits(box, &TextBox::Commit);

    box->setText(QStringLiteral("from code"));
    EXPECT_EQ(changes.count(), 0);
    focus.takeFocus();
    EXPECT_EQ(commits.count(), 0);

    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("ab"));
    EXPECT_EQ(changes.count(), 2);
    focus.takeFocus();
    EXPECT_EQ(commits.count(), 1);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(commits.count(), 2);
    EXPECT_EQ(box->Text(), QStringLiteral("from codeab"));
}
