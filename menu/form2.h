#pragma once

#include "menu/form2layout.h"
#include "menu/progressfile.h"
#include "shell/loose.h"

namespace numblaze
{

/// The menu: picks the math kind and the opponent, shows and keeps the records, starts races.
class Form2 : public ScreenOf<Form2Controls>
{
  public:
    static Form2& get();

    /// The selected math kind, 0 to 3.
    Loose Active_Math;
    /// The selected opponent, 0 to 2.
    Loose Active_Difficulty;

    /// Stands in for the program's directory when set (tests); empty means the real one.
    QString progressFolder;
    /// The full name of the progress file.
    QString progressFileName() const;

    /// The record of a pairing as the table holds it.
    const Loose& record(int math, int opponent) const { return RecordTable[math][opponent]; }

    // The screen's event handlers, one per control event.
    void Option1_Click(int Index);
    void Option2_Click(int Index);
    void Label2_Click(int Index);
    void Image3_Click(int Index);
    void Command1_Click();
    void Command4_Click();
    void Command2_Click();

  protected:
    void connectEvents(Form2Controls& c) override;
    void Form_Load() override;
    void Form_Unload() override;
    void Form_Activate() override;

  private:
    Form2() = default;
    void refreshRecordLabel();
    Loose& activeRecord();

    Records RecordTable;
};

} // namespace numblaze
