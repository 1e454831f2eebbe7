#pragma once
#include "layout/CodeSettings.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QDoubleSpinBox;
class QLabel;

namespace numora {
class CodeMaker;
}

namespace numora::ui {

class CodeSample;

// The editor of a layout's code: which code, what it holds, its place beside
// the number and its size, with a sample of the code for the number the
// next run starts with. OK hands the settings back; Cancel and Escape
// change nothing.
class CodeDialog : public QDialog
{
public:
    // sampleText: the number's text as it prints now.
    CodeDialog(const CodeSettings &settings, const QString &sampleText, QWidget *parent = nullptr);
    ~CodeDialog() override;

    CodeSettings settings() const;

private:
    void refresh();

    QComboBox *m_type;
    QComboBox *m_content;
    QComboBox *m_place;
    QDoubleSpinBox *m_gap;
    QDoubleSpinBox *m_height;
    QDoubleSpinBox *m_module;
    CodeSample *m_sample;
    QLabel *m_problem;
    QString m_sampleText;
    std::unique_ptr<CodeMaker> m_codes;
};

} // namespace numora::ui
