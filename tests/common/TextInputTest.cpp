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

TEST(UpDownText, KeysAndTheArrowButtonStepClampAndFormat)
{
    const struct
    {
        double min, max, increment;
        int decimals;
        const char* text;
        Qt::Key key;
        const char* expected;
    } rows[] = {
        {1, 1000, 10, 0, "100", Qt::Key_Up, "110"},
        {1, 1000, 10, 0, "5", Qt::Key_Down, "1"},     // clamped at Min
        {0, 100, 5, 0, "250", Qt::Key_Down, "100"},   // from above Max: clamped
        {0, 100, 0.1, 2, "1.25", Qt::Key_Up, "1.35"}, // two decimals
        {0, 100, 0.1, 1, "0.2", Qt::Key_Up, "0.3"},   // the binary noise rounded away
        {0, 100, 1, 0, "abc", Qt::Key_Up, "6"},       // invalid text starts from the default
    };
    for (const auto& row : rows) {
        UpDownText box;
        box.setMax(row.max);
        box.setMin(row.min);
        box.setIncrement(row.increment);
        box.setDecimalPlaces(row.decimals);
        box.setDefaultValue(5);
        box.setText(QString::fromLatin1(row.text));
        QSignalSpy changes(&box, &UpDownText::Change);
        QTest::keyClick(&box, row.key);
        EXPECT_EQ(box.Text(), QString::fromLatin1(row.expected)) << row.text;
        EXPECT_EQ(changes.count(), 1) << row.text;
    }

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
    EXPECT_EQ(std::tuple(commits.count(), box->Text(), box->value()),
              std::tuple(2, QStringLiteral("12"), 12.0));

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
    EXPECT_EQ(box.format(1.5) + box.format(-0.001), QStringLiteral("1,500,00"));
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
    focus.takeFocus();
    EXPECT_EQ(std::tuple(changes.count(), commits.count()), std::tuple(0, 0));

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
