#include "framework/ui/StandardControls.h"

#include "framework/ui/BitBtn.h"
#include "framework/ui/Button.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/GroupBox.h"
#include "framework/ui/Image.h"
#include "framework/ui/Label.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/ListView.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Menus.h"
#include "framework/ui/OpenPictureDialog.h"
#include "framework/ui/Panel.h"
#include "framework/ui/RadioButton.h"
#include "framework/ui/RadioGroup.h"
#include "framework/ui/ScrollBar.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/TabControl.h"
#include "framework/ui/TabSet.h"
#include "framework/ui/TreeView.h"
#include "framework/ui/UpDown.h"
#include "framework/ui/ProgressBar.h"
#include "framework/ui/TrackBar.h"
#include "framework/ui/HeaderControl.h"

void RegisterStandardControls()
{
    // Naming each class's information links its object file in, which registers it.
    for (const TClassInfo* Info :
         {&TButton::StaticClassInfo(), &TComboBox::StaticClassInfo(), &TEdit::StaticClassInfo(),
          &TGroupBox::StaticClassInfo(), &TImage::StaticClassInfo(), &TLabel::StaticClassInfo(),
          &TMemo::StaticClassInfo(), &TMainMenu::StaticClassInfo(), &TPopupMenu::StaticClassInfo(),
          &TMenuItem::StaticClassInfo(), &TOpenPictureDialog::StaticClassInfo(), &TPanel::StaticClassInfo(),
          &TStatusBar::StaticClassInfo(), &TStatusPanel::StaticClassInfo(), &TTreeView::StaticClassInfo(),
          &TBitBtn::StaticClassInfo(), &TCheckBox::StaticClassInfo(), &TRadioButton::StaticClassInfo(),
          &TRadioGroup::StaticClassInfo(), &TSpeedButton::StaticClassInfo(), &TUpDown::StaticClassInfo(),
          &TTabControl::StaticClassInfo(), &TPageControl::StaticClassInfo(), &TTabSheet::StaticClassInfo(),
          &TTabSet::StaticClassInfo(),
          &TProgressBar::StaticClassInfo(), &TTrackBar::StaticClassInfo(), &THeaderControl::StaticClassInfo(),
          &THeaderSection::StaticClassInfo(),
          &TScrollBar::StaticClassInfo(), &TListBox::StaticClassInfo(), &TListView::StaticClassInfo()})
        RegisterComponentClass(*Info);
}
