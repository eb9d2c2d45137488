#include "menu/form2.h"

#include "halloffame/form3.h"
#include "menu/opponents.h"
#include "menu/progresslocation.h"
#include "race/form1.h"
#include "shell/application.h"

#include <QDir>
#include <QMessageBox>

namespace numblaze
{

Form2& Form2::get()
{
    static Form2 screen;
    return screen;
}

QString Form2::progressFileName() const
{
    return progressFileFor(progressFolder.isEmpty() ? application::path() : progressFolder);
}

void Form2::connectEvents(Form2Controls& c)
{
    for (int i = 0; i < 4; ++i)
        c.Option1[i]->onClick = [this, i] { Option1_Click(i); };
    for (int i = 0; i < 3; ++i) {
        c.Option2[i]->onClick = [this, i] { Option2_Click(i); };
        c.Label2[i]->onClick = [this, i] { Label2_Click(i); };
        c.Image3[i]->onClick = [this, i] { Image3_Click(i); };
    }
    c.Command1->onClick = [this] { Command1_Click(); };
    c.Command4->onClick = [this] { Command4_Click(); };
    c.Command2->onClick = [this] { Command2_Click(); };
}

void Form2::Form_Load()
{
    Form2Controls& c = *controls_;
    c.window->setWindowIcon(Form3::get().window().windowIcon());
    const Progress progress = readProgressFile(progressFileName());
    RecordTable = progress.records;
    c.Option1[progress.math]->select();
    c.Option2[progress.opponent]->select();
}

void Form2::Form_Unload()
{
    Form2Controls& c = *controls_;
    Progress progress;
    progress.records = RecordTable;
    for (int k = 0; k < 4; ++k)
        if (c.Option1[k]->value())
            progress.math = k;
    for (int j = 0; j < 3; ++j)
        if (c.Option2[j]->value())
            progress.opponent = j;
    QString error;
    if (!writeProgressFile(progressFileName(), progress, &error)) {
        // The old file is still whole; the player must know this run's records are not in it.
        QMessageBox::warning(c.window, QStringLiteral("Numblaze"),
                             QStringLiteral("Your records could not be saved to %1:\n%2")
                                 .arg(QDir::toNativeSeparators(progressFileName()), error));
    }
    application::end({&Form1::get(), &Form3::get(), this});
}

void Form2::Form_Activate()
{
    Form2Controls& c = *controls_;
    const QString mailbox = c.Image2->tag();
    if (mailbox.isEmpty())
        return;
    activeRecord() = Loose::leadingNumber(mailbox);
    refreshRecordLabel();
    c.Image2->setTag(QString());
}

Loose& Form2::activeRecord()
{
    return RecordTable[Active_Math.toInteger16()][Active_Difficulty.toInteger16()];
}

void Form2::refreshRecordLabel()
{
    const double record = activeRecord().toNumber();
    controls_->Label3->setCaption(QStringLiteral("Your highest number is ") +
                                  Loose::plainText(record) + QStringLiteral("."));
}

void Form2::Option1_Click(int Index)
{
    Active_Math = Index;
    refreshRecordLabel();
}

void Form2::Option2_Click(int Index)
{
    Active_Difficulty = Index;
    refreshRecordLabel();
}

void Form2::Label2_Click(int Index)
{
    controls_->Option2[Index]->select();
}

void Form2::Image3_Click(int Index)
{
    controls_->Option2[Index]->select();
}

void Form2::Command1_Click()
{
    Form2Controls& c = *controls_;
    Form1& race = Form1::get();
    const int opponent = Active_Difficulty.toInteger16();
    race.enemy_speed = opponents[opponent].speed;
    // Touching the race screen's sign label loads it: after the speed, before the record.
    for (int k = 0; k < 4; ++k)
        if (c.Option1[k]->value())
            race.ui().Label3->setCaption(operatorSigns[k]);
    race.Highest = activeRecord();
    race.show();
    c.window->hide();
}

void Form2::Command4_Click()
{
    Form3& hallOfFame = Form3::get();
    int k = 0;
    for (const auto& row : RecordTable)
        for (const Loose& cell : row)
            hallOfFame.ui().Label6[k++]->setCaption(cell.toText());
    hallOfFame.showModal(*this);
}

void Form2::Command2_Click()
{
    unload();
}

} // namespace numblaze
