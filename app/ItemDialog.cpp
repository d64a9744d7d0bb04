#include "app/ItemDialog.h"

#include "app/BulkAdjustment.h"
#include "components/Cp949ByteValidator.h"
#include "app/HintHandler.h"
#include "components/BitCheckBox.h"
#include "components/Container.h"
#include "components/CurrencyEdit.h"
#include "components/SpeedButton.h"
#include "components/ToolButton.h"
#include "components/WindowDrag.h"
#include "core/DataModule.h"
#include "core/Environment.h"
#include "core/MessageBoxes.h"
#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"
#include "core/SiblingLibraries.h"
#include "core/SqlRoutines.h"
#include "core/TextUtils.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <qdrawutil.h>

namespace vek {

TInPutf *InPutf = nullptr;

namespace {

// The height of the caption bar that the window loses when it is shown caption-less.
constexpr int CaptionHeight = 19;
constexpr int TitleHeight = 21;
const QString SubPanelCaption = QStringLiteral("    하위공종");
const QString MoneyPattern = QStringLiteral(",0.;-,0.");
// What the picker leaves on the clipboard when it was cancelled.
const QString NoPick = QStringLiteral("Non");

void SetColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// A radio group of items in columns, in a group box with caption, numbered from 0.
QGroupBox *MakeRadioGroup(QWidget *parent, const QString &caption, const QStringList &items, int columns,
                          QButtonGroup *&group)
{
    auto *box = new QGroupBox(caption, parent);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(8, caption.isEmpty() ? 4 : 2, 4, 2);
    grid->setVerticalSpacing(2);
    group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), box);
        group->addButton(button, i);
        grid->addWidget(button, i / columns, i % columns);
    }
    group->button(0)->setChecked(true);
    return box;
}

QLabel *MakeLabel(QWidget *parent, const QString &text, int left, int top)
{
    auto *label = new QLabel(text, parent);
    label->move(left, top + 4);
    return label;
}

TCurrencyEdit *MakeFigureBox(QWidget *parent, const QRect &place)
{
    auto *box = new TCurrencyEdit(parent);
    box->SetDisplayFormat(MoneyPattern);
    box->setGeometry(place);
    return box;
}

QLineEdit *MakeTextBox(QWidget *parent, int bytes, const QRect &place)
{
    auto *box = new QLineEdit(parent);
    box->setValidator(new Cp949ByteValidator(bytes, box));
    box->setGeometry(place);
    return box;
}

TRxSpeedButton *MakeButton(QWidget *parent, const QString &caption, const QRect &place)
{
    auto *button = new TRxSpeedButton(parent);
    button->SetCaption(caption);
    button->setGeometry(place);
    return button;
}

// Puts the caret at the end of a box that has the focus, nothing selected.
void FocusAtEnd(QLineEdit *box)
{
    box->setFocus(Qt::OtherFocusReason);
    box->deselect();
    box->setCursorPosition(int(box->text().size()));
}

} // namespace

TInPutf::TInPutf(int page, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), page_(page)
{
    InPutf = this;
    setObjectName(QStringLiteral("InPutf"));
    QFont font(QStringLiteral("굴림"));
    font.setPointSize(9);
    setFont(font);
    resize(393, 243);

    MakeTitle();
    Pages = new QStackedWidget(this);
    Pages->addWidget(MakeItemPage());
    Pages->addWidget(MakeBulkPage());
    Pages->addWidget(MakeSumPage());
    Pages->setCurrentIndex(page_);
    TopTitle->raise();
    mExit0->raise();
}

TInPutf::~TInPutf()
{
    if (InPutf == this)
        InPutf = nullptr;
}

void TInPutf::MakeTitle()
{
    TopTitle = new QLabel(QStringLiteral("     >>>  기타내용 금액기성  <<<"), this);
    TopTitle->setAutoFillBackground(true);
    SetColour(TopTitle, QPalette::Window, QColor(0x00, 0x6B, 0x9F));
    SetColour(TopTitle, QPalette::WindowText, Qt::yellow);
    QFont bold = font();
    bold.setBold(true);
    TopTitle->setFont(bold);
    new WindowDrag(TopTitle);

    mExit0 = new TdxToolButton(this);
    mExit0->SetToolType(TdxToolType::ttClose);
    SetControlHint(mExit0, QStringLiteral("닫기|현재활성되어 있는 화면을 종료합니다."));
    connect(mExit0, &TdxToolButton::Click, this, &TInPutf::mExit0Click);
}

QWidget *TInPutf::MakeItemPage()
{
    auto *page = new QWidget;
    dGbun = MakeRadioGroup(page, QString(),
                           {QStringLiteral("공종명등록"), QStringLiteral("기타비율산"), QStringLiteral("비집계항목")}, 3,
                           dGbunItems);
    dGbun->setGeometry(6, 2, 378, 34);
    connect(dGbunItems, &QButtonGroup::idClicked, this, &TInPutf::dGbunClick);

    MakeLabel(page, QStringLiteral("명     칭"), 10, 42);
    EdtName = MakeTextBox(page, NameBytes, {70, 42, 312, 21});
    MakeLabel(page, QStringLiteral("수     량"), 10, 68);
    EdtNo = MakeFigureBox(page, {70, 68, 120, 21});
    gJPnel = new TdxContainer(page);
    gJPnel->setGeometry(200, 68, 182, 21);
    gJPnel->SetShowCaption(true);
    gJPnel->SetAlignment(Qt::AlignLeft);
    gJPnel->SetBorderWidth(1);
    gJPnel->SetBoundLines(TdxContainer::blLeft | TdxContainer::blTop | TdxContainer::blRight | TdxContainer::blBottom);
    gJPnel->SetCaption(SubPanelCaption);
    // The caption's leading blanks leave the box its place at the left.
    gJPnel->SetSpacing(9);
    gJChek = new TBitCheckBox(gJPnel);
    gJChek->setGeometry(3, 2, 17, 17);

    MakeLabel(page, QStringLiteral("재 료 비"), 10, 94);
    EdtPCST12 = MakeFigureBox(page, {70, 94, 120, 21});
    MakeLabel(page, QStringLiteral("노 무 비"), 204, 94);
    EdtLCST12 = MakeFigureBox(page, {262, 94, 120, 21});
    MakeLabel(page, QStringLiteral("경     비"), 10, 120);
    EdtSCST12 = MakeFigureBox(page, {70, 120, 120, 21});
    MakeLabel(page, QStringLiteral("    계    "), 204, 120);
    EdtCSTTAL = MakeFigureBox(page, {262, 120, 120, 21});
    // A lump total loaded from a row is its amount over its quantity, to four decimals.
    EdtCSTTAL->SetDecimalPlaces(4);
    MakeLabel(page, QStringLiteral("비     고"), 10, 146);
    EdtEtc = MakeTextBox(page, RemarkBytes, {70, 146, 312, 21});

    for (TCurrencyEdit *box : {EdtPCST12, EdtLCST12, EdtSCST12})
        connect(box, &TCurrencyEdit::Change, this, &TInPutf::EdtPCST12Change);
    for (TCurrencyEdit *box : {EdtNo, EdtPCST12, EdtLCST12, EdtSCST12, EdtCSTTAL})
        box->OnKeyPress = [this](TCurrencyEdit &self, QChar &key) { FigureKeyPress(&self, key); };
    for (QLineEdit *box : {EdtName, EdtEtc})
        box->installEventFilter(this);

    mOk0 = MakeButton(page, QStringLiteral("확인"), {218, 180, 80, 28});
    mVode0 = MakeButton(page, QStringLiteral("취소"), {302, 180, 80, 28});
    connect(mOk0, &TRxSpeedButton::Click, this, &TInPutf::mOk0Click);
    connect(mVode0, &TRxSpeedButton::Click, this, &TInPutf::mExit0Click);
    setTabOrder(EdtName, EdtNo);
    setTabOrder(EdtNo, EdtPCST12);
    setTabOrder(EdtPCST12, EdtLCST12);
    setTabOrder(EdtLCST12, EdtSCST12);
    setTabOrder(EdtSCST12, EdtCSTTAL);
    setTabOrder(EdtCSTTAL, EdtEtc);
    EdtNo->SetValue(1);
    EdtPCST12Change();
    return page;
}

QWidget *TInPutf::MakeBulkPage()
{
    auto *page = new QWidget;
    BulGrup = MakeRadioGroup(page, QStringLiteral("조정내용"),
                             {QStringLiteral("자재비"), QStringLiteral("노무비"), QStringLiteral("경   비"),
                              QStringLiteral("수   량")},
                             2, BulGrupItems);
    BulGrup->setGeometry(6, 2, 183, 66);
    EdtBiul = MakeFigureBox(page, {42, 76, 96, 21});
    EdtBiul->OnKeyPress = [this](TCurrencyEdit &self, QChar &key) { FigureKeyPress(&self, key); };
    MakeLabel(page, QStringLiteral("%"), 142, 76);
    mOk1 = MakeButton(page, QStringLiteral("확인"), {52, 104, 90, 28});
    connect(mOk1, &TRxSpeedButton::Click, this, &TInPutf::mOk1Click);
    return page;
}

QPushButton *TInPutf::MakeSumButton(QWidget *page, const QString &caption, int number, int top)
{
    auto *button = new QPushButton(caption, page);
    button->setProperty("kind", number);
    button->setGeometry(10, top, 98, 28);
    connect(button, &QPushButton::clicked, this, [this, button] { BtnbSum1Click(button); });
    return button;
}

QWidget *TInPutf::MakeSumPage()
{
    auto *page = new QWidget;
    BtnbSum1 = MakeSumButton(page, QStringLiteral("소    계"), 1, 4);
    BtnbSum2 = MakeSumButton(page, QStringLiteral("계"), 2, 35);
    BtnbSum3 = MakeSumButton(page, QStringLiteral("합    계"), 3, 66);
    return page;
}

void TInPutf::LoadFields(const ItemRowFields &fields)
{
    subAllowed_ = fields.subAllowed;
    dGbunItems->button(int(fields.kind))->setChecked(true);
    dGbunClick();
    gJChek->SetChecked(fields.sub);
    gJPnel->setEnabled(!fields.locked);
    dGbun->setEnabled(!fields.locked);
    SetColour(gJPnel, QPalette::WindowText, fields.locked ? QColor(0x80, 0x80, 0x80) : QColor(Qt::black));
    EdtName->setText(fields.name);
    EdtNo->SetValue(fields.quantity);
    EdtPCST12->SetValue(fields.material);
    EdtLCST12->SetValue(fields.labour);
    EdtSCST12->SetValue(fields.expense);
    EdtPCST12Change();
    if (EdtCSTTAL->isEnabled())
        EdtCSTTAL->SetValue(fields.total);
    EdtEtc->setText(fields.remark);
    loaded_ = Fields();
}

ItemRowFields TInPutf::Fields() const
{
    ItemRowFields fields;
    fields.kind = ItemKind(std::max(0, dGbunItems->checkedId()));
    fields.subAllowed = subAllowed_;
    fields.sub = !gJChek->isHidden() && gJChek->Checked();
    fields.locked = !gJPnel->isEnabled();
    fields.name = EdtName->text();
    fields.remark = EdtEtc->text();
    fields.quantity = EdtNo->Value();
    fields.material = EdtPCST12->Value();
    fields.labour = EdtLCST12->Value();
    fields.expense = EdtSCST12->Value();
    fields.total = EdtCSTTAL->Value();
    return fields;
}

void TInPutf::setVisible(bool visible)
{
    // After the dialog's own focus handling, which selects the whole text of the box it
    // gives the focus.
    QDialog::setVisible(visible);
    if (visible && !shown_) {
        shown_ = true;
        FormShow();
    }
}

void TInPutf::FormShow()
{
    resize(width(), height() - CaptionHeight);
    switch (page_) {
    case 0: FocusAtEnd(EdtName); break;
    case 1: FocusAtEnd(EdtBiul); break;
    default: BtnbSum1->setFocus(Qt::OtherFocusReason); break;
    }
}

void TInPutf::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    TopTitle->setGeometry(0, 0, width(), TitleHeight);
    mExit0->move(width() - 26, (TitleHeight - TdxToolButton::Size) / 2);
    Pages->setGeometry(0, TitleHeight + 2, width(), height() - TitleHeight - 2);
}

void TInPutf::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

void TInPutf::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TInPutf::FormClose()
{
    const DialogPlaceKeys *keys = page_ == 1 ? &BulkAdjustmentPlace : page_ == 2 ? &SumMenuPlace : nullptr;
    if (keys) {
        const QString ini = QStringLiteral("VekFree.ini");
        WriteIniInteger(ini, QStringLiteral("FormTopLft"), keys->top, y());
        WriteIniInteger(ini, QStringLiteral("FormTopLft"), keys->left, x());
    }
    if (InPutf == this)
        InPutf = nullptr;
}

void TInPutf::mExit0Click()
{
    if (isVisible())
        reject();
}

void TInPutf::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        mExit0Click();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The boxes move on with Enter and a focused button clicks itself; there is no
        // default button to press.
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool TInPutf::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (event->type() == QEvent::KeyPress && (box == EdtName || box == EdtEtc)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QChar enter(u'\r');
            EdtNameKeyPress(box, enter);
            return true;
        }
        return EdtNameKeyDown(box, key);
    }
    return QDialog::eventFilter(watched, event);
}

void TInPutf::dGbunClick()
{
    const bool shown = subAllowed_ && dGbunItems->checkedId() == int(ItemKind::Ordinary);
    if (!shown)
        gJChek->SetChecked(false);
    gJChek->setVisible(shown);
    gJPnel->SetCaption(shown ? SubPanelCaption : QString());
}

void TInPutf::EdtPCST12Change()
{
    const double sum = UnitPriceSum(EdtPCST12->Value(), EdtLCST12->Value(), EdtSCST12->Value());
    EdtCSTTAL->SetValue(sum);
    EdtCSTTAL->setEnabled(sum == 0);
}

void TInPutf::EdtNameKeyPress(QWidget *box, QChar &key)
{
    if (key != u'\r')
        return;
    key = QChar();
    QWidget *next = EdtName;
    if (box == EdtName)
        next = EdtNo;
    else if (box == EdtNo)
        next = EdtPCST12;
    else if (box == EdtPCST12)
        next = EdtLCST12;
    else if (box == EdtLCST12)
        next = EdtSCST12;
    else if (box == EdtSCST12)
        next = EdtCSTTAL->isEnabled() ? static_cast<QWidget *>(EdtCSTTAL) : EdtEtc;
    else if (box == EdtCSTTAL)
        next = EdtEtc;
    next->setFocus(Qt::TabFocusReason);
}

void TInPutf::FigureKeyPress(TCurrencyEdit *box, QChar &key)
{
    // Esc closes the dialog from a number box as from everywhere else.
    if (key == QChar(27)) {
        key = QChar();
        mExit0Click();
        return;
    }
    if (box != EdtBiul)
        EdtNameKeyPress(box, key);
}

bool TInPutf::EdtNameKeyDown(QLineEdit *box, int key)
{
    if (key == Qt::Key_Escape) {
        mExit0Click();
        return true;
    }
    if (key != Qt::Key_F11)
        return false;
    ShowSpecialCharPicker();
    const QString pick = QGuiApplication::clipboard()->text();
    // The box's byte limit holds for a pick as for typed text.
    if (pick != NoPick)
        box->insert(pick);
    return true;
}

void TInPutf::ReportFailure(const std::exception &failure)
{
    PresentMessage({MessageKind::Error, QString(),
                    QStringLiteral("처리실패!!\n") + QString::fromStdString(failure.what())});
}

void TInPutf::mOk0Click()
{
    const int level = OpenListLevel();
    const ItemRowFields fields = Fields();
    try {
        const bool done = InputKind == 2 ? ChangeItemRow(level, fields, !SameFigures(fields, loaded_))
                                         : AddItemRow(level, fields);
        if (done)
            accept();
    } catch (const std::exception &failure) {
        ReportFailure(failure);
    }
}

void TInPutf::mOk1Click()
{
    const Currency p = Currency::fromDouble(EdtBiul->Value());
    if (p.raw() == 0) {
        mExit0Click();
        return;
    }
    const auto target = BulkTarget(std::max(0, BulGrupItems->checkedId()));
    try {
        bool done = false;
        if (InputKind == 2)
            done = AdjustWholeEstimate(target, p);
        else if (Sudetaif)
            done = AdjustListRows(Sudetaif->ShownRows(), Sudetaif->SelectedRows(), target, p, false);
        else if (SlstFmHook)
            done = AdjustListRows(SlstFmHook->ShownRows(), SlstFmHook->SelectedRows(), target, p, true);
        else
            done = AdjustListRows(dMf->TSlst, {}, target, p, true);
        if (done)
            accept();
    } catch (const std::exception &failure) {
        ReportFailure(failure);
    }
}

void TInPutf::BtnbSum1Click(QPushButton *button)
{
    const QString label = FormatSumLabel(StripChar(u' ', button->text()));
    try {
        if (InsertSubtotalRow(button->property("kind").toInt(), label))
            accept();
    } catch (const std::exception &failure) {
        ReportFailure(failure);
    }
}

void RunItemDialog(const ItemDialogSetup &setup)
{
    TInPutf dialog(setup.page, setup.owner);
    dialog.TopTitle->setText(setup.title);
    dialog.setGeometry(setup.geometry);
    if (setup.page == 0) {
        try {
            const int level = OpenListLevel();
            dialog.LoadFields(InputKind == 2 ? LoadItemRow(level) : NewItemRowFields(level));
        } catch (const std::exception &failure) {
            PresentMessage({MessageKind::Error, QString(), QString::fromStdString(failure.what())});
            return;
        }
    }
    dialog.EdtBiul->SetValue(setup.percentage);
    dialog.exec();
}

void ConnectItemDialog()
{
    EntryPoints().ItemDialog = RunItemDialog;
}

} // namespace vek
