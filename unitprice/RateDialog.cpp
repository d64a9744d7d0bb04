#include "unitprice/RateDialog.h"

#include "components/ControlHint.h"
#include "components/Cp949ByteValidator.h"
#include "components/CurrencyEdit.h"
#include "components/DataGrid.h"
#include "components/SpeedButton.h"
#include "components/ToolButton.h"
#include "components/WindowDrag.h"
#include "core/Currency.h"
#include "core/DataModule.h"
#include "core/DatabaseError.h"
#include "core/EstimateColumns.h"
#include "core/MessageBoxes.h"
#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"
#include "core/SqlRoutines.h"
#include "core/WorkDatabase.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <qdrawutil.h>

namespace vek {

TInBsDtf *InBsDtf = nullptr;

namespace {

// The height of the caption bar that the window loses when it is shown caption-less.
constexpr int CaptionHeight = 19;
constexpr int TitleHeight = 21;
constexpr int GridTop = 104;
const QColor MarkedColour(0xF9, 0xED, 0xFA);
const QString RateTag = QStringLiteral("R");
const QString Marked = QStringLiteral("T");
const QString NotMarked = QStringLiteral("F");
// The blanks of the percentage label under which the percentage box sits.
const QString RateCaption = QStringLiteral(" 비율:");
const QString RateBlanks = QStringLiteral("           ");

// The grid of the candidate rows: the dialog colours each cell by its row's mark.
class CandidateGrid : public TRxDBGrid {
public:
    CandidateGrid(const TInBsDtf &dialog, QWidget *parent) : TRxDBGrid(parent), dialog_(dialog) {}

    void cellStyle(QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        TRxDBGrid::cellStyle(option, index);
        QColor background = option.backgroundBrush.color();
        dialog_.detaileRGetCellParams(index.row(), background, highlighted(index));
        option.backgroundBrush = background;
    }

private:
    const TInBsDtf &dialog_;
};

QLabel *MakeLabel(QWidget *parent, const QString &text, int left, int top)
{
    auto *label = new QLabel(text, parent);
    label->move(left, top + 4);
    return label;
}

QComboBox *MakeCombo(QWidget *parent, const QStringList &items, const QRect &place)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // Free text is taken as typed: no completion that turns a letter into a list entry.
    box->setCompleter(nullptr);
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(QString());
    box->setGeometry(place);
    return box;
}

TRxSpeedButton *MakeButton(QWidget *parent, const QString &caption)
{
    auto *button = new TRxSpeedButton(parent);
    button->SetCaption(caption);
    button->resize(80, 25);
    return button;
}

// The candidate rows of the place: its rows but rate, subtotal and labour rows.
QString CandidateSql(const RatePlace &place)
{
    return QStringLiteral("select * from NDTAIL where not( TAG in ('R','T','M')) and ") + place.Where()
           + QStringLiteral(" Order by ODRF");
}

// A rate typed as a percentage, as a fraction with the four decimals that documents and
// the move file keep, so that a row written back from either still matches its rate row.
double RateFraction(double percentage)
{
    return Currency::fromDouble(percentage * 0.01).toDouble();
}

// The target group of a rate row from its twelve rate columns: the first of material,
// labour and expense whose four slot columns do not sum to 0; material when none has one.
int TargetGroupOf(const Dataset &row)
{
    for (int group : {TInBsDtf::Material, TInBsDtf::Labour, TInBsDtf::Expense}) {
        double sum = 0;
        for (int n = 1; n <= 4; ++n)
            sum += row.asDouble(RateColumnsOf(n).at(group));
        if (sum != 0)
            return group;
    }
    return TInBsDtf::Material;
}

double PercentageOf(const Dataset &row)
{
    double sum = 0;
    for (int n = 1; n <= 4; ++n)
        for (const QString &column : RateColumnsOf(n))
            sum += row.asDouble(column);
    return sum * 100;
}

// Marks the rows of the place that the rate row of slot n covers in group's column.
void MarkCoveredRows(const RatePlace &place, int n, int group)
{
    if (n < 1 || n > 4)
        return;
    const QString kinds = place.kind == RatePlace::BreakdownRows ? QStringLiteral("TAG<>'R'")
                                                                 : QStringLiteral("TAG not in ('R','T','M')");
    RunTempSql(true,
               QStringLiteral("Update NDTAIL Set MVE='T' where ") + kinds + QStringLiteral(" and ")
                   + RateColumnsOf(n).at(group) + QStringLiteral("<>0 and ") + place.Where(),
               place.Keys());
    CommitWork();
}

// Writes what the dataset's screen changed and not yet sent.
void WritePending(Dataset &rows)
{
    if (rows.state() == DatasetState::Edit || rows.state() == DatasetState::Insert)
        rows.post();
    rows.applyUpdates();
}

void ShowStatusText(int panel, const QString &text)
{
    const MainWindowLink &link = MainWindowLinks();
    if (link.SetStatusText)
        link.SetStatusText(panel, text);
}

} // namespace

TInBsDtf::TInBsDtf(const RatePlace &place, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), RateConnection(QStringLiteral("iTRate")),
      iTRate(QStringLiteral("iTRate"), &RateConnection), place_(place)
{
    InBsDtf = this;
    setObjectName(QStringLiteral("InBsDtf"));
    setFont(QFont(QStringLiteral("굴림"), 9));
    resize(403, 420);

    TopTitle = new QLabel(QStringLiteral("  기초자료선택"), this);
    TopTitle->setObjectName(QStringLiteral("TopTitle"));
    TopTitle->setAutoFillBackground(true);
    QPalette band = TopTitle->palette();
    band.setColor(QPalette::Window, QColor(0, 0, 0x80));
    band.setColor(QPalette::WindowText, Qt::white);
    TopTitle->setPalette(band);
    QFont bold = font();
    bold.setBold(true);
    TopTitle->setFont(bold);
    new WindowDrag(TopTitle);

    mExit0 = new TdxToolButton(this);
    mExit0->setObjectName(QStringLiteral("mExit0"));
    mExit0->SetToolType(TdxToolType::ttClose);
    SetControlHint(mExit0, QStringLiteral("닫기|현재활성되어 있는 화면을 종료합니다."));
    connect(mExit0, &TdxToolButton::Click, this, &TInBsDtf::mVode0Click);

    MakeInputBand();
    MakeGrid();

    Help1 = new QAction(this);
    Help1->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(Help1);
    connect(Help1, &QAction::triggered, this, &TInBsDtf::Help1Click);

    iTRate.addCalcField(QStringLiteral("rOdr"), QMetaType::QString);
    iTRate.onCalcFields = [this](Dataset &rows) { iTRateCalcFields(rows); };
}

TInBsDtf::~TInBsDtf()
{
    if (InBsDtf == this)
        InBsDtf = nullptr;
}

void TInBsDtf::MakeInputBand()
{
    MakeLabel(this, QStringLiteral("명칭:"), 6, 26);
    EtRname = MakeCombo(this,
                        {QStringLiteral("잡  자  재  비"), QStringLiteral("공  구  손  료"), QStringLiteral("부    자     재"),
                         QStringLiteral("기  구  손  료")},
                        {40, 26, 152, 21});
    EtRname->setObjectName(QStringLiteral("EtRname"));
    MakeLabel(this, QStringLiteral("규격:"), 200, 26);
    EtRstan = MakeCombo(this,
                        {QStringLiteral("인건비의 %"), QStringLiteral("강  관 의 %"), QStringLiteral("재료비의 %"),
                         QStringLiteral("자재비의 %"), QStringLiteral("보온재의 %"), QStringLiteral("주자재비의 %")},
                        {234, 26, 160, 21});
    EtRstan->setObjectName(QStringLiteral("EtRstan"));

    MakeLabel(this, QStringLiteral("적용:"), 6, 52);
    GrupRte = new QGroupBox(this);
    GrupRte->setObjectName(QStringLiteral("GrupRte"));
    GrupRte->setGeometry(40, 49, 152, 27);
    SetControlHint(GrupRte, QStringLiteral("비율산 적용 위치를 결정합니다."));
    auto *columns = new QGridLayout(GrupRte);
    columns->setContentsMargins(6, 2, 2, 2);
    GrupRteItems = new QButtonGroup(GrupRte);
    const QStringList groups{QStringLiteral("자재"), QStringLiteral("노무"), QStringLiteral("경비")};
    for (int i = 0; i < groups.size(); ++i) {
        auto *button = new QRadioButton(groups.at(i), GrupRte);
        GrupRteItems->addButton(button, i);
        columns->addWidget(button, 0, i);
    }
    SetTarget(Material);

    RateLabel = MakeLabel(this, RateCaption + RateBlanks + QStringLiteral("% "), 200, 52);
    EtRate = new TCurrencyEdit(this);
    EtRate->setObjectName(QStringLiteral("EtRate"));
    EtRate->SetDecimalPlaces(1);
    EtRate->SetDisplayFormat(QStringLiteral(",0.0;-,0.0"));
    // The box covers the label's blanks, between "비율:" and "%".
    const QFontMetrics metrics(RateLabel->font());
    EtRate->setGeometry(RateLabel->x() + metrics.horizontalAdvance(RateCaption) + 2, 52,
                        metrics.horizontalAdvance(RateBlanks) - 4, 21);
    EtRate->OnKeyPress = [this](TCurrencyEdit &self, QChar &key) { EtRnameKeyPress(&self, key); };
    for (QComboBox *box : {EtRname, EtRstan})
        box->installEventFilter(this);
    // The boxes take no more than the rate row's columns hold, so nothing typed is cut unseen.
    EtRname->setValidator(new Cp949ByteValidator(TextCapacity(QStringLiteral("NAME")), EtRname));
    EtRstan->setValidator(new Cp949ByteValidator(TextCapacity(QStringLiteral("STAN")), EtRstan));

    mOk0 = MakeButton(this, QStringLiteral("적용"));
    mOk0->setObjectName(QStringLiteral("mOk0"));
    mVode0 = MakeButton(this, QStringLiteral("취소"));
    mVode0->setObjectName(QStringLiteral("mVode0"));
    connect(mOk0, &TRxSpeedButton::Click, this, &TInBsDtf::mOk0Click);
    connect(mVode0, &TRxSpeedButton::Click, this, &TInBsDtf::mVode0Click);
    setTabOrder(EtRname, EtRstan);
    setTabOrder(EtRstan, EtRate);
}

void TInBsDtf::MakeGrid()
{
    auto *grid = new CandidateGrid(*this, this);
    detaileR = grid;
    detaileR->setObjectName(QStringLiteral("detaileR"));
    detaileR->SetRowSelect(true);
    detaileR->SetAlwaysShowSelection(true);
    detaileR->SetReadOnly(true);
    detaileR->setDataset(&iTRate);
    const auto column = [](const char *field, const QString &title, int width, Qt::Alignment alignment = {}) {
        DatasetColumn shown;
        shown.field = QString::fromLatin1(field);
        shown.title = title;
        shown.width = width;
        shown.alignment = alignment;
        shown.readOnly = true;
        return shown;
    };
    detaileR->setColumns({column("rOdr", QStringLiteral("No"), 30, Qt::AlignRight | Qt::AlignVCenter),
                          column("NAME", QStringLiteral("자     료     명"), 180),
                          column("STAN", QStringLiteral("규   격   용"), 120), column("UNIT", QStringLiteral("단위"), 32)});
    connect(detaileR, &QAbstractItemView::doubleClicked, this, &TInBsDtf::detaileRDblClick);
    setTabOrder(EtRate, detaileR);
}

int TInBsDtf::Target() const
{
    return std::max(0, GrupRteItems->checkedId());
}

void TInBsDtf::SetTarget(int group)
{
    GrupRteItems->button(std::clamp(group, 0, 2))->setChecked(true);
}

void TInBsDtf::setVisible(bool visible)
{
    QDialog::setVisible(visible);
    if (visible && !shown_) {
        shown_ = true;
        FormShow();
    }
}

void TInBsDtf::FormShow()
{
    resize(width(), height() - CaptionHeight);
    try {
        RateConnection.open(WorkDatabasePath());
        iTRate.setCommandText(CandidateSql(place_), place_.Keys());
        iTRate.open();
    } catch (const DatabaseError &error) {
        ShowErrorMsg(error.message());
        reject();
        return;
    }
    if (InputKind == 2) {
        detaileR->setFocus(Qt::OtherFocusReason);
        return;
    }
    EtRname->setFocus(Qt::OtherFocusReason);
    EtRname->lineEdit()->deselect();
    EtRname->lineEdit()->setCursorPosition(int(EtRname->currentText().size()));
}

void TInBsDtf::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TInBsDtf::FormResize()
{
    TopTitle->setGeometry(0, 0, width(), TitleHeight);
    mExit0->move(width() - 26, (TitleHeight - TdxToolButton::Size) / 2);
    mVode0->move(width() - 6 - mVode0->width(), 77);
    mOk0->move(mVode0->x() - 4 - mOk0->width(), 77);
    detaileR->setGeometry(4, GridTop, width() - 8, std::max(0, height() - GridTop - 4));
}

void TInBsDtf::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

void TInBsDtf::iTRateCalcFields(Dataset &rows)
{
    rows.setValue(QStringLiteral("rOdr"), rows.asString(QStringLiteral("MVE")) == Marked
                                              ? QStringLiteral("▶")
                                              : rows.value(QStringLiteral("ODRF")).toString());
}

bool TInBsDtf::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == EtRname || watched == EtRstan)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QChar enter(u'\r');
            EtRnameKeyPress(static_cast<QWidget *>(watched), enter);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TInBsDtf::EtRnameKeyPress(QWidget *box, QChar &key)
{
    if (key != u'\r')
        return;
    key = QChar();
    QWidget *next = box == EtRname ? static_cast<QWidget *>(EtRstan)
                    : box == EtRstan ? static_cast<QWidget *>(EtRate)
                                     : static_cast<QWidget *>(detaileR);
    next->setFocus(Qt::OtherFocusReason);
}

void TInBsDtf::detaileRDblClick()
{
    if (!iTRate.isActive() || iTRate.isEmpty())
        return;
    try {
        iTRate.edit();
        iTRate.setValue(QStringLiteral("MVE"), iTRate.asString(QStringLiteral("MVE")) == Marked ? NotMarked : Marked);
        iTRate.post();
    } catch (const DatabaseError &error) {
        if (iTRate.state() == DatasetState::Edit)
            iTRate.cancel();
        ShowErrorMsg(error.message());
    }
}

void TInBsDtf::detaileRGetCellParams(int row, QColor &background, bool highlight) const
{
    if (highlight)
        return;
    const bool marked = iTRate.valueOf(row, iTRate.fieldIndex(QStringLiteral("MVE"))).toString() == Marked;
    background = marked ? MarkedColour : QColor(Qt::white);
}

void TInBsDtf::mVode0Click()
{
    if (isVisible())
        reject();
}

void TInBsDtf::mOk0Click()
{
    try {
        RunTempSql(false, QStringLiteral("Select count(*) from NDTAIL where MVE='T' and ") + place_.Where(),
                   place_.Keys());
        const int marked = dMf->sQTmp.value(0).toInt();
        dMf->sQTmp.close();
        if (marked == 0) {
            ShowInfoMsg(QStringLiteral("합항목 자료가 선택되지 않았습니다."));
            return;
        }
    } catch (const DatabaseError &error) {
        ShowErrorMsg(error.message());
        return;
    }
    const double percentage = EtRate->Value();
    if (EtRname->currentText().isEmpty() || percentage == 0) {
        if (percentage != 0) {
            ShowInfoMsg(QStringLiteral("비율산 명칭이 입력되지 않았습니다"));
            EtRname->setFocus(Qt::OtherFocusReason);
        } else {
            ShowInfoMsg(QStringLiteral("비율산 비율내용이 입력되지 않았습니다"));
            EtRate->setFocus(Qt::OtherFocusReason);
        }
        return;
    }

    DataChanged = true;
    Dataset &rows = place_.Rows();
    bool written = false;
    try {
        written = WriteRateRow(RateFraction(percentage));
    } catch (const std::exception &failure) {
        const auto *database = dynamic_cast<const DatabaseError *>(&failure);
        ShowErrorMsg(database ? database->message() : QString::fromUtf8(failure.what()));
    }
    if (rows.state() == DatasetState::Edit || rows.state() == DatasetState::Insert)
        rows.cancel();
    try {
        // What the table kept, the new rate row or nothing of the failed command.
        rows.refresh();
    } catch (const DatabaseError &error) {
        ShowErrorMsg(error.message());
    }
    if (written) {
        marksCleared_ = true;
        accept();
    }
}

bool TInBsDtf::WriteRateRow(double rate)
{
    Dataset &rows = place_.Rows();
    const bool breakdown = place_.kind == RatePlace::BreakdownRows;
    WorkTransaction command(dMf->SQLConect);
    WritePending(rows);
    int n = InputKind == 2 ? rows.asInteger(QStringLiteral("NORT")) : 0;
    if (n >= 1 && n <= 4) {
        const QStringList slot = RateColumnsOf(n);
        RunTempSql(true, QStringLiteral("UpDate NDTAIL Set %1=0,%2=0,%3=0 where ").arg(slot.at(0), slot.at(1), slot.at(2)) + place_.Where(),
                   place_.Keys());
        CommitWork();
        rows.refresh();
        rows.edit();
    } else if (InputKind == 2) {
        // A rate row without a slot of its own (none that this dialog made) takes a free one.
        n = NextRateSlot(place_);
        rows.edit();
    } else {
        n = NextRateSlot(place_);
        rows.append();
    }

    QVariantList slotRates{0.0, 0.0, 0.0};
    slotRates[Target()] = rate;
    rows.setValue(QStringLiteral("NAME"), EtRname->currentText());
    rows.setValue(QStringLiteral("STAN"), EtRstan->currentText());
    rows.setValue(QStringLiteral("UNIT"), QStringLiteral("식"));
    rows.setValue(QStringLiteral("INO"), 1.0);
    for (const char *column : {"PCST11", "LCST11", "SCST11", "PCSTA", "PCSTB", "PCSTC"})
        rows.setValue(QString::fromLatin1(column), 0.0);
    rows.setValue(QStringLiteral("PAGEA"), QString());
    rows.setValue(QStringLiteral("PAGEB"), QString());
    rows.setValue(QStringLiteral("TAG"), RateTag);
    rows.setValue(QStringLiteral("MVE"), NotMarked);
    if (breakdown) {
        for (const char *column : {"ACODE", "BCODE", "SCODE"})
            rows.setValue(QString::fromLatin1(column), 0);
    }
    const QVariantList rateKeys = breakdown ? place_.Keys() : QVariantList{0, 0, 0};
    for (int i = 0; i < 3; ++i)
        rows.setValue(QStringLiteral("ICD%1").arg(i + 1), rateKeys.at(i));
    for (int slot = 1; slot <= 4; ++slot) {
        const QStringList columns = RateColumnsOf(slot);
        for (int group = 0; group < 3; ++group)
            rows.setValue(columns.at(group), slot == n ? slotRates.at(group) : QVariant(0.0));
    }
    rows.setValue(QStringLiteral("NORT"), n);
    rows.post();
    rows.applyUpdates();

    const QStringList slot = RateColumnsOf(n);
    RunTempSql(true,
               QStringLiteral("Update NDTAIL Set %1=?,%2=?,%3=? where MVE='T' and ").arg(slot.at(0), slot.at(1), slot.at(2))
                   + place_.Where(),
               slotRates + place_.Keys());
    CommitWork();
    ClearMarks();
    return command.commit();
}

void TInBsDtf::ClearMarks()
{
    RunTempSql(true, QStringLiteral("Update NDTAIL Set MVE='F'"));
    CommitWork();
}

void TInBsDtf::done(int result)
{
    if (!marksCleared_) {
        marksCleared_ = true;
        try {
            ClearMarks();
        } catch (const DatabaseError &error) {
            ShowErrorMsg(error.message());
        }
    }
    FormClose();
    QDialog::done(result);
}

void TInBsDtf::FormClose()
{
    iTRate.close();
    RateConnection.close();
    ShowStatusText(1, QStringLiteral("카브로소프트"));
    if (InBsDtf == this)
        InBsDtf = nullptr;
}

bool ShowRateDialog(QWidget *opener, const RatePlace &place, int inputKind)
{
    Dataset &rows = place.Rows();
    try {
        WritePending(rows);
        if (!rows.isActive() || rows.isEmpty())
            return false;
        if (inputKind == 2 && rows.asString(QStringLiteral("TAG")) != RateTag)
            return false;
        if (inputKind != 2 && CountRateRows(place) >= 4) {
            ShowInfoMsg(QStringLiteral("비율산은 4항목 이상 등록할 수 없습니다."));
            return false;
        }
    } catch (const DatabaseError &error) {
        ShowErrorMsg(error.message());
        return false;
    }

    TInBsDtf dialog(place, opener);
    const QRect screen = opener ? opener->geometry() : QRect();
    dialog.setGeometry(screen.left() + screen.width() - 405, screen.top() + 5, 400, screen.height() - 3);
    InputKind = inputKind;
    dialog.TopTitle->setText(QStringLiteral("     ") + (inputKind == 2 ? QStringLiteral("비율산 수정") : QStringLiteral("비율산 등록")));
    if (inputKind == 2) {
        const int target = TargetGroupOf(rows);
        dialog.EtRname->setEditText(rows.asString(QStringLiteral("NAME")));
        dialog.EtRstan->setEditText(rows.asString(QStringLiteral("STAN")));
        dialog.SetTarget(target);
        dialog.EtRate->SetValue(PercentageOf(rows));
        try {
            MarkCoveredRows(place, rows.asInteger(QStringLiteral("NORT")), target);
        } catch (const DatabaseError &error) {
            ShowErrorMsg(error.message());
            return false;
        }
    }
    dialog.exec();
    try {
        rows.refresh();
    } catch (const DatabaseError &error) {
        ShowErrorMsg(error.message());
    }
    return DataChanged;
}

void ConnectRateDialog()
{
    EntryPoints().RateDialog = [](const RateDialogSetup &setup) {
        ShowRateDialog(setup.owner, setup.place, setup.inputKind);
    };
}

} // namespace vek
