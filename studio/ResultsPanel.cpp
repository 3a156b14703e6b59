#include "ResultsPanel.h"

#include <QDateTime>
#include <QHeaderView>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ChromaticityDiagram.h"
#include "ColourRows.h"
#include "ColourVectorView.h"
#include "SpectrumPlot.h"
#include "sensor/ConditionCodes.h"

namespace studio {

namespace {

QString itemText(const StudioResult& result) {
    const QDateTime time =
        QDateTime::fromSecsSinceEpoch(result.record.getMeasurementTime().GetTime());
    QString text = QStringLiteral("%1  %2  %3")
                       .arg(result.number)
                       .arg(time.toString(QStringLiteral("HH:mm:ss")))
                       .arg(QString::fromStdString(result.source));
    if (result.warningCode != 200) {
        text += QStringLiteral("  ⚠ %1").arg(QString::fromStdString(result.warningText));
    }
    return text;
}

}  // namespace

namespace {

// The first selected light's hue-bin means, with its indices under the graphic.
rx9100qt::ColourVectorView vectorGraphic(const tintcalc::RenditionResult& r, const QString& name) {
    rx9100qt::ColourVectorView view;
    for (std::size_t j = 0; j < view.bins.size(); ++j) {
        const tintcalc::HueBin& bin = r.hueBins[j];
        view.bins[j] = {bin.referenceA, bin.referenceB, bin.testA, bin.testB};
    }
    view.title = name;
    view.caption = QStringLiteral("Rf %1   Rg %2   CCT %3 K")
                       .arg(r.rf, 0, 'f', 0)
                       .arg(r.rg, 0, 'f', 0)
                       .arg(r.cct, 0, 'f', 0);
    return view;
}

}  // namespace

ResultsPanel::ResultsPanel(ResultList& results, QWidget* parent)
    : QWidget(parent),
      results_(results),
      list_(new QListWidget(this)),
      tabs_(new QTabWidget(this)),
      spectrum_(new SpectrumPlot(this)),
      diagram_(new ChromaticityDiagram(this)),
      vector_(new ColourVectorView(this)),
      colours_(new QTableWidget(this)) {
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setObjectName(QStringLiteral("results"));
    list_->setMinimumWidth(240);
    tabs_->addTab(spectrum_, tr("Spectrum"));
    tabs_->addTab(diagram_, tr("Chromaticity"));
    tabs_->addTab(vector_, tr("Colour vectors"));
    colours_->setObjectName(QStringLiteral("colourValues"));
    colours_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    colours_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* right = new QSplitter(Qt::Vertical, this);
    right->addWidget(tabs_);
    right->addWidget(colours_);
    right->setStretchFactor(0, 3);
    right->setStretchFactor(1, 2);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->setObjectName(QStringLiteral("resultsSplit"));
    split->addWidget(list_);
    split->addWidget(right);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);

    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        showSelection();
        emit selectionChanged();
    });
    showSelection();
}

void ResultsPanel::refresh(bool selectLast) {
    const QSignalBlocker block(list_);
    list_->clear();
    for (const StudioResult& result : results_.items()) {
        list_->addItem(itemText(result));
    }
    if (selectLast && list_->count() > 0) {
        list_->setCurrentRow(list_->count() - 1, QItemSelectionModel::ClearAndSelect);
        list_->scrollToBottom();
    }
    showSelection();
    emit selectionChanged();
}

std::vector<std::size_t> ResultsPanel::selection() const {
    std::vector<std::size_t> rows;
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->isSelected()) {
            rows.push_back(static_cast<std::size_t>(row));
        }
    }
    return rows;
}

void ResultsPanel::selectAll() {
    list_->selectAll();
}

void ResultsPanel::selectOnly(std::size_t index) {
    list_->clearSelection();
    if (QListWidgetItem* item = list_->item(static_cast<int>(index))) {
        item->setSelected(true);
    }
}

void ResultsPanel::setObserver(int observer) {
    observer_ = observer;
    diagram_->setObserver(observer);
    showSelection();
}

void ResultsPanel::showSelection() {
    const auto rows = selection();
    cli::ReportContext context;
    context.observer = observer_;
    std::vector<platform::ui::SpectrumSeries> series;
    std::vector<DiagramPoint> points;
    std::optional<rx9100qt::ColourVectorView> graphic;
    colours_->clear();
    colours_->setColumnCount(static_cast<int>(rows.size()));
    QString caption = QString::fromUtf8(cli::kRadianceUnit);
    for (int column = 0; column < static_cast<int>(rows.size()); ++column) {
        const std::size_t index = rows[static_cast<std::size_t>(column)];
        // Only a light source is rated for its colour rendition.
        context.rendition =
            results_.items()[index].record.getMeasurementMethod() == codes::method::kLightSource;
        const cli::MeasurementResult result = results_.report(index, context);
        const QString name = QStringLiteral("#%1").arg(result.index);
        cli::ReportContext quantity;
        describeQuantity(result.record.getMeasurementMethod(), quantity);
        caption = QString::fromUtf8(quantity.unit);
        platform::ui::SpectrumSeries one;
        one.name = name.toStdString();
        one.values = result.record.getData();
        series.push_back(std::move(one));
        if (tintcalc::isDefined(result.colour.x) && tintcalc::isDefined(result.colour.y)) {
            points.push_back({name, result.colour.x, result.colour.y});
        }
        if (!graphic && result.rendition && tintcalc::isDefined(result.rendition->rf)) {
            graphic = vectorGraphic(*result.rendition, name);
        }
        auto values = colourRows(result.colour);
        for (ColourRow& row : renditionRows(result.rendition)) {
            values.push_back(std::move(row));
        }
        colours_->setRowCount(static_cast<int>(values.size()));
        colours_->setHorizontalHeaderItem(column, new QTableWidgetItem(name));
        for (int row = 0; row < static_cast<int>(values.size()); ++row) {
            const auto& value = values[static_cast<std::size_t>(row)];
            colours_->setVerticalHeaderItem(
                row, new QTableWidgetItem(QString::fromStdString(value.label)));
            colours_->setItem(row, column,
                              new QTableWidgetItem(QString::fromStdString(value.value)));
        }
    }
    spectrum_->setSeries(std::move(series), caption);
    diagram_->setPoints(std::move(points));
    vector_->setGraphic(std::move(graphic));
}

}  // namespace studio
