#include "core/Currency.h"
#include "core/Evaluator.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

class TestEvaluator : public QObject {
    Q_OBJECT
private slots:
    void evaluates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value");
        QTest::newRow("1.2*3") << "1.2*3" << "3.6";
        QTest::newRow("10/4") << "10/4" << "2.5";
        QTest::newRow("1/3 to four decimals") << "1/3" << "0.3333";
        QTest::newRow("2*3+4*5") << "2*3+4*5" << "26";
        QTest::newRow("2-5-3") << "2-5-3" << "-6";
        QTest::newRow("2-5+1") << "2-5+1" << "-2";
        QTest::newRow("(1+2)*3") << "(1+2)*3" << "9";
        QTest::newRow("(1+(2*3)+4)") << "(1+(2*3)+4)" << "11";
        QTest::newRow("2.5*4+1.2") << "2.5*4+1.2" << "11.2";
        QTest::newRow("one number") << "12.50" << "12.5";
        QTest::newRow("leading zeros") << "007" << "7";
        // A number that is not computed keeps its own decimals, up to 15 significant digits.
        QTest::newRow("one number past four decimals") << "1.00015" << "1.00015";
        QTest::newRow("one small number without exponent") << "0.00001" << "0.00001";
        QTest::newRow("one number past 15 digits") << "1.23456789012345678" << "1.23456789012346";
        QTest::newRow("one group") << "(2.12345)" << "2.12345";
        QTest::newRow("a sign on zero") << "(-0)" << "0";

        // * and / left to right before + and -, each operation rounded by itself.
        QTest::newRow("8/2*2") << "8/2*2" << "8";
        QTest::newRow("8/4/2") << "8/4/2" << "1";
        QTest::newRow("1-3*2") << "1-3*2" << "-5";
        QTest::newRow("2*3-10*1") << "2*3-10*1" << "-4";
        QTest::newRow("1/3*3 rounds 1/3 first") << "1/3*3" << "0.9999";
        QTest::newRow("0.03125 ties down to even") << "0.0625*0.5" << "0.0312";
        QTest::newRow("0.09375 ties up to even") << "0.1875*0.5" << "0.0938";
        QTest::newRow("small value without exponent") << "0.0001*1" << "0.0001";
        QTest::newRow("a tiny negative is 0, not -0") << "0-0.00001" << "0";
        QTest::newRow("1-1") << "1-1" << "0";

        // A negative group value where it lands.
        QTest::newRow("2*(1-3)") << "2*(1-3)" << "-4";
        QTest::newRow("5-(1-3)") << "5-(1-3)" << "7";
        QTest::newRow("2/(1-3)") << "2/(1-3)" << "-1";
        QTest::newRow("(1-3)-1") << "(1-3)-1" << "-3";
        QTest::newRow("(1-3)*2") << "(1-3)*2" << "-4";
        QTest::newRow("2-(1-3)*2") << "2-(1-3)*2" << "6";
        QTest::newRow("2+(1-4)*4") << "2+(1-4)*4" << "-10";
        QTest::newRow("(1+(2-5)*2)") << "(1+(2-5)*2)" << "-5";
        QTest::newRow("(-2)*3") << "(-2)*3" << "-6";
        QTest::newRow("1+(-2)") << "1+(-2)" << "-1";
        QTest::newRow("2*(-3)") << "2*(-3)" << "-6";
        QTest::newRow("5-(-2)") << "5-(-2)" << "7";
        QTest::newRow("(-1+3)*2") << "(-1+3)*2" << "4";

        QTest::newRow("large value in full") << "100000000000000*9" << "900000000000000";
        QTest::newRow("large sum in full") << "123456789012+0.5" << "123456789012.5";
        QTest::newRow("beyond a Currency") << "1000000000*1000000" << "???";
        QTest::newRow("one large number in full") << "99999999999999999999" << "100000000000000000000";
        QTest::newRow("1/0") << "1/0" << "???";
        QTest::newRow("0/0") << "0/0" << "???";
        QTest::newRow("1/(2-2)") << "1/(2-2)" << "???";

        QTest::newRow("1,000*2") << "1,000*2" << "???";
        QTest::newRow("2x3") << "2x3" << "???";
        QTest::newRow("-1+2") << "-1+2" << "???";
        QTest::newRow("1+") << "1+" << "???";
        QTest::newRow("(1+2)*(3+4)") << "(1+2)*(3+4)" << "???";
        QTest::newRow("3.*2") << "3.*2" << "???";
        QTest::newRow("((1))") << "((1))" << "???";
        QTest::newRow("2(3)") << "2(3)" << "???";
        QTest::newRow("(2)3") << "(2)3" << "???";
        QTest::newRow("1.2.3") << "1.2.3" << "???";
        QTest::newRow("1+(*2)") << "1+(*2)" << "???";
        QTest::newRow("(/2)") << "(/2)" << "???";
        QTest::newRow("12m") << "12m" << "???";
        QTest::newRow("10%") << "10%" << "???";
        QTest::newRow("Korean unit last") << QStringLiteral("2*3개") << "???";
        QTest::newRow("full-width digits") << QStringLiteral("１２*2") << "???";
        QTest::newRow("Arabic-Indic digit last") << QStringLiteral("2*٣") << "???";
        QTest::newRow("multiplication sign") << QStringLiteral("2×3") << "???";
    }
    void evaluates()
    {
        QFETCH(QString, text);
        QFETCH(QString, value);
        QCOMPARE(EvaluateExpression(text), value);
    }

    void validates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("invalid");
        QTest::newRow("1") << "1" << false;
        QTest::newRow("2.5*4+1.2") << "2.5*4+1.2" << false;
        QTest::newRow("(7)") << "(7)" << false;
        QTest::newRow("nested after an operator") << "(1+(2*3)+4)" << false;
        QTest::newRow("group after an operator") << "2*(1-3)" << false;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("starts with *") << "*2" << true;
        QTest::newRow("starts with +") << "+2" << true;
        QTest::newRow("starts with -") << "-1+2" << true;
        QTest::newRow("starts with .") << ".5" << true;
        QTest::newRow("starts with /") << "/2" << true;
        QTest::newRow("ends with +") << "1+" << true;
        QTest::newRow("ends with .") << "5." << true;
        QTest::newRow("ends with (") << "1*(" << true;
        QTest::newRow("operator after .") << "3.*2" << true;
        QTest::newRow("(.") << "(.5)" << true;
        QTest::newRow("((") << "((1))" << true;
        QTest::newRow("(( after an operator") << "2*((3+4)*5)" << true;
        QTest::newRow("))") << "2*(3+(4*5))" << true;
        QTest::newRow("side-by-side groups") << "(1+2)*(3+4)" << true;
        QTest::newRow("unopened )") << "1+2)" << true;
        QTest::newRow("unclosed (") << "(1+2" << true;
        QTest::newRow("comma") << "1,000*2" << true;
        QTest::newRow("letter") << "2x3" << true;
        QTest::newRow("blank") << "2 *3" << true;
        QTest::newRow("digit before (") << "2(3)" << true;
        QTest::newRow("digit after )") << "(2)3" << true;
        QTest::newRow("two dots in a number") << "1.2.3" << true;
        QTest::newRow("two dots across a number") << "1.2+3.4" << false;
        QTest::newRow("operator after (") << "1+(*2)" << true;
        QTest::newRow("( first, operator after") << "(/2)" << true;
        QTest::newRow("+ after (") << "(+2)" << true;
        QTest::newRow("a group starts with a sign") << "1+(-2)" << false;
        QTest::newRow("sign and operator after (") << "(--2)" << true;
        QTest::newRow(") after an operator") << "(1+)" << true;
        QTest::newRow("()") << "()" << true;
        QTest::newRow("a letter alone") << "a" << true;
        QTest::newRow("letter last") << "12m" << true;
        QTest::newRow("% last") << "10%" << true;
        QTest::newRow("Korean letter last") << QStringLiteral("3개") << true;
        QTest::newRow("superscript digit last") << QStringLiteral("3²") << true;
        QTest::newRow("full-width digit") << QStringLiteral("１") << true;
    }
    void validates()
    {
        QFETCH(QString, text);
        QFETCH(bool, invalid);
        QCOMPARE(IsInvalidExpression(text), invalid);
    }

    void reducesInnermostGroup_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reduced");
        QTest::newRow("inner group only") << "(1+(2*3)+4)" << "(1+6+4)";
        QTest::newRow("the last group") << "(1+6+4)" << "11";
        QTest::newRow("group at the start") << "(1+2)*3" << "3*3";
        QTest::newRow("rounded value") << "10*(1/3)" << "10*0.3333";
        QTest::newRow("negative after *") << "2*(1-3)" << "2*-2";
        QTest::newRow("negative after -") << "5-(1-3)" << "5--2";
        QTest::newRow("no group") << "1+2" << "1+2";
    }
    void reducesInnermostGroup()
    {
        QFETCH(QString, text);
        QFETCH(QString, reduced);
        QCOMPARE(ReduceParentheses(text), reduced);
    }

    void evaluatesFlat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value");
        QTest::newRow("leading sign") << "-2-1" << "-3";
        QTest::newRow("negative result in the middle") << "2*3-10*1" << "-4";
        QTest::newRow("minus a negative") << "5--2" << "7";
        QTest::newRow("times a negative") << "2*-2" << "-4";
        QTest::newRow("negative factor after +") << "2+-3*4" << "-10";
        QTest::newRow("negative factor after -") << "2--2*2" << "6";
        QTest::newRow("negative start times") << "-2*3+1" << "-5";
        QTest::newRow("5.") << "5." << "5";
        QTest::newRow(".5") << ".5" << "0.5";
        QTest::newRow(".5*5.") << ".5*5." << "2.5";
    }
    void evaluatesFlat()
    {
        QFETCH(QString, text);
        QFETCH(QString, value);
        QCOMPARE(EvaluateFlat(text), value);
    }

    void appliesFirstOperator_data()
    {
        QTest::addColumn<QChar>("op");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("applied");
        QTest::newRow("first * only") << QChar(u'*') << "2*3+4*5" << "6+4*5";
        QTest::newRow("first / only") << QChar(u'/') << "1/3/3" << "0.3333/3";
        QTest::newRow("+ after a binary -") << QChar(u'+') << "1-2+3" << "1-5";
        QTest::newRow("- with a signed left operand") << QChar(u'-') << "-4-2+1" << "-6+1";
        QTest::newRow("- with a signed right operand") << QChar(u'-') << "1+5--2" << "1+7";
        QTest::newRow("a sign is no operator") << QChar(u'-') << "-2" << "-2";
        QTest::newRow("- after + is a sign") << QChar(u'-') << "1+-2-3" << "1+-5";
        QTest::newRow("op absent") << QChar(u'*') << "1+2" << "1+2";
        QTest::newRow("not an operator") << QChar(u'x') << "2x3" << "2x3";
    }
    void appliesFirstOperator()
    {
        QFETCH(QChar, op);
        QFETCH(QString, text);
        QFETCH(QString, applied);
        QCOMPARE(ApplyOperator(op, text), applied);
    }

    // Values put into a formula checked before: a negative one works as its value wherever
    // it lands, which EvaluateExpression would refuse as ill-formed text.
    void evaluatesSubstitutedValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value");
        QTest::newRow("first operand") << "-50000+2000000" << "1950000";
        QTest::newRow("after a minus") << "100000+0--150000" << "250000";
        QTest::newRow("after a times") << "2*-3" << "-6";
        QTest::newRow("after a divide") << "9/-3" << "-3";
        QTest::newRow("first in a group") << "(-50000+2000000+0)*0.0248" << "48360";
        QTest::newRow("last in a group") << "(1000+2000+-3000.5)*2" << "-1";
        QTest::newRow("a group of one negative") << "(-4)*3" << "-12";
        QTest::newRow("positive values") << "(1000000+2000000+0)*0.0248" << "74400";
        QTest::newRow("division by zero") << "5/(2-2)" << "???";
        QTest::newRow("beyond a Currency") << "-900000000000000*-10" << "???";
        QTest::newRow("a value that is no number") << "1+abc" << "???";
    }
    void evaluatesSubstitutedValues()
    {
        QFETCH(QString, text);
        QFETCH(QString, value);
        QCOMPARE(EvaluateWellFormed(text), value);
    }

    void refusesWhatItCannotCompute_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("division by zero") << "1/0";
        QTest::newRow("beyond a Currency") << "1000000000*1000000";
        QTest::newRow("missing operand") << "2*";
        QTest::newRow("not a number") << "1.2.3";
    }
    void refusesWhatItCannotCompute()
    {
        QFETCH(QString, text);
        QVERIFY_THROWS_EXCEPTION(NumberError, EvaluateFlat(text));
        QVERIFY_THROWS_EXCEPTION(NumberError, ReduceParentheses(u'(' + text + u')'));
    }
};

VEK_TEST(TestEvaluator)
#include "tst_Evaluator.moc"
