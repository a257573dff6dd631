#include "board/board_reading.h"

#include "analysis/value_table.h"
#include "board/mForm1.h"
#include "board/reading_dialog.h"
#include "board/reading_marks.h"
#include "calculator/number_text.h"
#include "plotting/plot_rules.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <cmath>
#include <variant>

namespace plotdesk {

// The curves that show: a hidden one is not read.
std::vector<CurveRequest> mForm1::rememberedRequests() const {
    std::vector<CurveRequest> requests;
    for (const BoardCurve& curve : model_->state().curves)
        if (curve.visible) requests.push_back(curve.request);
    return requests;
}

namespace {

// How near, in pixels, the pointer must come to a curve or a key point for
// the trace to snap to it.
constexpr double kSnapPixels = 6;

QColor colourOf(int32_t word) { return QColor(word & 0xFF, (word >> 8) & 0xFF, (word >> 16) & 0xFF); }

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

QString curveNumber(int curve) { return QString::number(curve + 1); }

}  // namespace

BoardReading::BoardReading(mForm1* board) : QObject(board), board_(board), marks_(new ReadingMarks(board->pxp)) {
    QMenu* menu = board->tt;
    menu->addSeparator();
    const auto entry = [&](const char* caption, const char* name, QKeySequence key) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromUtf8(name));
        if (!key.isEmpty()) {
            action->setShortcut(key);
            board->addAction(action);
        }
        return action;
    };
    keyPoints_ = entry("关键点", "keyPoints", QKeySequence(Qt::CTRL | Qt::Key_K));
    trace_ = entry("跟踪", "trace", QKeySequence(Qt::CTRL | Qt::Key_T));
    trace_->setCheckable(true);
    valueAt_ = entry("求值…", "valueAt", {});
    valueTable_ = entry("数值表…", "valueTable", {});
    connect(keyPoints_, &QAction::triggered, this, &BoardReading::showKeyPoints);
    connect(trace_, &QAction::toggled, this, &BoardReading::setTracing);
    connect(valueAt_, &QAction::triggered, this, &BoardReading::openValueAt);
    connect(valueTable_, &QAction::triggered, this, &BoardReading::openValueTable);

    const auto key = [&](QKeySequence sequence, auto step) {
        auto* shortcut = new QShortcut(sequence, board);
        shortcut->setEnabled(false);
        connect(shortcut, &QShortcut::activated, this, step);
        traceKeys_.push_back(shortcut);
    };
    key(QKeySequence(Qt::Key_Left), [this] { traceStep(-1, false); });
    key(QKeySequence(Qt::Key_Right), [this] { traceStep(1, false); });
    key(QKeySequence(Qt::SHIFT | Qt::Key_Left), [this] { traceStep(-1, true); });
    key(QKeySequence(Qt::SHIFT | Qt::Key_Right), [this] { traceStep(1, true); });
    key(QKeySequence(Qt::Key_Up), [this] { traceNextCurve(1); });
    key(QKeySequence(Qt::Key_Down), [this] { traceNextCurve(-1); });
}

BoardReading::~BoardReading() = default;

std::vector<CurveRequest> BoardReading::functionCurves() const {
    std::vector<CurveRequest> functions;
    for (const CurveRequest& request : board_->rememberedRequests())
        if (!request.parametric) functions.push_back(request);
    return functions;
}

analysis::Evaluator BoardReading::evaluator() const {
    return [board = board_](const std::string& text) { return board->model().calculate(text); };
}

// The x range of the part of the picture seen in the window; the whole
// picture while none of it is on screen.
std::pair<double, double> BoardReading::seenRange() const {
    const toolkit::PictureArea* picture = board_->pxp;
    QRect seen = picture->visibleRegion().boundingRect();
    if (seen.isEmpty()) seen = picture->rect();
    const double a = picture->toScale(QPointF(seen.left(), 0)).x();
    const double b = picture->toScale(QPointF(seen.right() + 1, 0)).x();
    return {std::min(a, b), std::max(a, b)};
}

ReadingDialog* BoardReading::openDialog(const QString& title, bool savesCsv) {
    if (dialog_) dialog_->close();
    dialog_ = new ReadingDialog(board_, title, savesCsv);
    return dialog_;
}

QString BoardReading::curveList(const std::vector<CurveRequest>& curves) const {
    QStringList names;
    for (size_t i = 0; i < curves.size(); ++i)
        names << QStringLiteral("曲线 %1：y = %2").arg(curveNumber(static_cast<int>(i)), curves[i].function);
    return names.join(QStringLiteral("；"));
}

void BoardReading::showKeyPoints() {
    const std::vector<CurveRequest> curves = functionCurves();
    ReadingDialog* dialog = openDialog(QStringLiteral("关键点"), false);
    if (curves.empty()) {
        marks_->setMarks({});
        dialog->setNote(QStringLiteral("板上没有函数曲线。"));
        dialog->show();
        return;
    }
    std::vector<QString> functions;
    for (const CurveRequest& curve : curves) functions.push_back(curve.function);
    const auto [from, to] = seenRange();
    const analysis::KeyPointReport report = analysis::findKeyPoints(functions, evaluator(), from, to);

    TextTable table{{QStringLiteral("种类"), QStringLiteral("曲线"), QStringLiteral("x"), QStringLiteral("y"),
                     QStringLiteral("精确值")},
                    {}};
    std::vector<ReadingMark> marks;
    for (const analysis::KeyPoint& p : report.points) {
        const QString curve = p.otherCurve < 0 ? curveNumber(p.curve)
                                               : curveNumber(p.curve) + QLatin1Char(',') + curveNumber(p.otherCurve);
        table.rows.push_back({analysis::kindName(p.kind), curve, fromStd(p.xText), fromStd(p.yText),
                              p.exactForm.empty() ? QString() : QStringLiteral("x = ") + fromStd(p.exactForm)});
        const std::optional<double> y = curveCoordinate(p.yText);
        marks.push_back({p.x, y.value_or(0), analysis::kindName(p.kind), colourOf(curves[p.curve].colour)});
    }
    marks_->setMarks(std::move(marks));
    QString note =
        curveList(curves) + QStringLiteral("。x 从 %1 到 %2。")
                                .arg(fromStd(analysis::evaluatorText(from)), fromStd(analysis::evaluatorText(to)));
    for (const analysis::UnsearchedPart& part : report.unsearched)
        note +=
            QStringLiteral("曲线 %1 在 %2 到 %3 之间计算次数已到上限，没有找完。")
                .arg(part.otherCurve < 0 ? curveNumber(part.curve)
                                         : curveNumber(part.curve) + QLatin1Char(',') + curveNumber(part.otherCurve),
                     fromStd(analysis::evaluatorText(part.from)), fromStd(analysis::evaluatorText(part.to)));
    for (int curve : report.curvesWithoutPoints)
        note += QStringLiteral("曲线 %1 在这一段没有点。").arg(curveNumber(curve));
    dialog->setTable(std::move(table));
    dialog->setNote(note);
    connect(dialog, &ReadingDialog::rowChosen, marks_, [this](int row) { marks_->setChosen(row); });
    dialog->show();
}

void BoardReading::setTracing(bool on) {
    for (QShortcut* key : traceKeys_) key->setEnabled(on);
    at_.reset();
    if (on) {
        traced_ = functionCurves();
        std::vector<QString> functions;
        for (const CurveRequest& curve : traced_) functions.push_back(curve.function);
        tracer_ = std::make_unique<analysis::Tracer>(functions, evaluator());
        picture_ = board_->pxp;
        board_->pxp->installEventFilter(this);
        marks_->setTrace(std::nullopt, traced_.empty() ? QStringLiteral("跟踪：板上没有函数曲线")
                                                       : QStringLiteral("跟踪：把指针移到曲线旁"));
    } else {
        board_->pxp->removeEventFilter(this);
        tracer_.reset();
        marks_->setTrace(std::nullopt, QString());
    }
}

bool BoardReading::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picture_ && event->type() == QEvent::MouseMove)
        traceTo(static_cast<QMouseEvent*>(event)->position());
    return QObject::eventFilter(watched, event);
}

void BoardReading::traceTo(QPointF pixel) {
    if (!tracer_) return;
    // A key point within reach wins over the curve under the pointer.
    const std::vector<ReadingMark>& marks = marks_->marks();
    for (const ReadingMark& mark : marks) {
        const QPointF at = marks_->pixelOf(mark.x, mark.y);
        if (std::hypot(at.x() - pixel.x(), at.y() - pixel.y()) > kSnapPixels) continue;
        for (int curve = 0; curve < tracer_->curveCount(); ++curve) {
            std::optional<analysis::TracePoint> point = tracer_->at(curve, mark.x);
            if (point && std::fabs(marks_->pixelOf(point->x, point->y).y() - at.y()) <= 1) return showTracePoint(point);
        }
    }
    const toolkit::PictureArea* picture = board_->pxp;
    const QPointF scale = picture->toScale(pixel);
    const double reach = kSnapPixels * std::fabs(picture->scaleHeight()) / std::max(1, picture->height());
    showTracePoint(tracer_->nearest(scale.x(), -scale.y(), reach, at_ ? at_->curve : -1));
}

void BoardReading::showTracePoint(const std::optional<analysis::TracePoint>& point) {
    if (!point) {
        at_.reset();
        marks_->setTrace(std::nullopt, QStringLiteral("跟踪：附近没有曲线"));
        return;
    }
    at_ = point;
    const CurveRequest& curve = traced_[static_cast<size_t>(point->curve)];
    marks_->setTrace(ReadingMark{point->x, point->y, {}, colourOf(curve.colour)},
                     QStringLiteral("跟踪 曲线 %1 y = %2：x = %3，y = %4")
                         .arg(curveNumber(point->curve), curve.function, fromStd(point->xText), fromStd(point->yText)));
}

void BoardReading::traceStep(int pixels, bool bySamplingStep) {
    if (!tracer_ || !at_) return;
    const toolkit::PictureArea* picture = board_->pxp;
    const double pixel = std::fabs(picture->scaleWidth()) / std::max(1, picture->width());
    const double step = bySamplingStep ? std::fabs(traced_[static_cast<size_t>(at_->curve)].range.step) : pixel;
    const double x = at_->x + pixels * step;
    const std::optional<analysis::TracePoint> point = tracer_->at(at_->curve, x);
    if (point) return showTracePoint(point);
    // No point there: the marker moves on and waits for the curve.
    at_->x = x;
    marks_->setTrace(std::nullopt, QStringLiteral("跟踪 曲线 %1：x = %2 处没有点")
                                       .arg(curveNumber(at_->curve), fromStd(analysis::evaluatorText(x))));
}

void BoardReading::traceNextCurve(int direction) {
    if (!tracer_ || !at_ || tracer_->curveCount() == 0) return;
    const int count = tracer_->curveCount();
    for (int k = 1; k <= count; ++k) {
        const int curve = ((at_->curve + direction * k) % count + count) % count;
        if (const std::optional<analysis::TracePoint> point = tracer_->at(curve, at_->x)) return showTracePoint(point);
    }
}

void BoardReading::showValuesAt(const QString& text) {
    if (!dialog_) return;
    const std::string answer = board_->model().calculate(text.toStdString());
    const std::optional<double> x = ombra::number_text::readDouble(answer);
    if (!x) {
        dialog_->setTable({});
        dialog_->setNote(QStringLiteral("x 不是数：%1 的值是 %2").arg(text, fromStd(answer)));
        return;
    }
    const std::vector<CurveRequest> curves = functionCurves();
    std::vector<QString> functions;
    for (const CurveRequest& curve : curves) functions.push_back(curve.function);
    analysis::Tracer tracer(functions, evaluator());
    TextTable table{{QStringLiteral("曲线"), QStringLiteral("表达式"), QStringLiteral("x"), QStringLiteral("y")}, {}};
    std::vector<ReadingMark> marks;
    for (size_t i = 0; i < curves.size(); ++i) {
        analysis::CurveReader reader(curves[i].function, evaluator());
        const std::string y = reader.answerAt(*x);
        table.rows.push_back({curveNumber(static_cast<int>(i)), curves[i].function, fromStd(answer), fromStd(y)});
        if (const std::optional<double> value = curveCoordinate(y))
            marks.push_back({*x, *value, QStringLiteral("y = ") + fromStd(y), colourOf(curves[i].colour)});
    }
    marks_->setMarks(std::move(marks));
    dialog_->setTable(std::move(table));
    dialog_->setNote(curves.empty() ? QStringLiteral("板上没有函数曲线。") : QString());
}

void BoardReading::openValueAt() {
    ReadingDialog* dialog = openDialog(QStringLiteral("求值"), false);
    auto* label = new QLabel(QStringLiteral("x ="), dialog);
    auto* field = new QLineEdit(dialog);
    field->setObjectName(QStringLiteral("x"));
    field->setPlaceholderText(QStringLiteral("例如 3 或 PI/6"));
    auto* go = new QPushButton(QStringLiteral("求值"), dialog);
    go->setObjectName(QStringLiteral("evaluate"));
    go->setDefault(true);
    dialog->inputs()->addWidget(label);
    dialog->inputs()->addWidget(field, 1);
    dialog->inputs()->addWidget(go);
    const auto evaluate = [this, field] { showValuesAt(field->text()); };
    connect(go, &QPushButton::clicked, dialog, evaluate);
    connect(field, &QLineEdit::returnPressed, dialog, evaluate);
    dialog->setNote({});
    dialog->show();
}

void BoardReading::openValueTable() {
    ReadingDialog* dialog = openDialog(QStringLiteral("数值表"), true);
    const std::vector<CurveRequest> curves = functionCurves();
    auto* list = new QListWidget(dialog);
    list->setObjectName(QStringLiteral("curves"));
    for (size_t i = 0; i < curves.size(); ++i) {
        auto* item = new QListWidgetItem(
            QStringLiteral("%1: y = %2").arg(curveNumber(static_cast<int>(i)), curves[i].function), list);
        item->setCheckState(Qt::Checked);
    }
    list->setMaximumHeight(90);
    const auto field = [dialog](const char* name, const QString& text) {
        auto* edit = new QLineEdit(text, dialog);
        edit->setObjectName(QString::fromUtf8(name));
        edit->setMaximumWidth(90);
        return edit;
    };
    QLineEdit* from = field("from", board_->start->text());
    QLineEdit* to = field("to", board_->end->text());
    QLineEdit* by = field("by", board_->step1->text());
    auto* go = new QPushButton(QStringLiteral("列表"), dialog);
    go->setObjectName(QStringLiteral("list"));
    dialog->inputs()->addWidget(list, 1);
    for (const auto& [caption, edit] : {std::pair{"从", from}, std::pair{"到", to}, std::pair{"步长", by}}) {
        dialog->inputs()->addWidget(new QLabel(QString::fromUtf8(caption), dialog));
        dialog->inputs()->addWidget(edit);
    }
    dialog->inputs()->addWidget(go);
    const auto make = [this, dialog, list, from, to, by, curves] {
        const auto reading = readSamplingRange(from->text(), to->text(), by->text());
        if (const QString* refusal = std::get_if<QString>(&reading)) {
            dialog->setTable({});
            dialog->setNote(QString(*refusal).replace(QStringLiteral("无法绘图"), QStringLiteral("无法列表")));
            return;
        }
        std::vector<QString> functions;
        TextTable table{{QStringLiteral("x")}, {}};
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->checkState() != Qt::Checked) continue;
            functions.push_back(curves[static_cast<size_t>(i)].function);
            table.header << QStringLiteral("y = ") + functions.back();
        }
        const analysis::ValueTable values =
            analysis::makeValueTable(functions, evaluator(), std::get<SamplingRange>(reading));
        table.rows.reserve(values.rows.size());
        for (const std::vector<std::string>& row : values.rows) {
            QStringList texts;
            for (const std::string& field : row) texts << fromStd(field);
            table.rows.push_back(std::move(texts));
        }
        dialog->setNote(values.rows.empty() ? QStringLiteral("从起点按步长走不到终点，一行也没有。") : QString());
        dialog->setTable(std::move(table));
    };
    connect(go, &QPushButton::clicked, dialog, make);
    make();
    dialog->show();
}

}  // namespace plotdesk
