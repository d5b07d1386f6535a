#include "framework/ui/OpenPictureDialog.h"

#include <algorithm>
#include <vector>

#include "framework/core/StrUtils.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/Application.h"
#include "framework/ui/Image.h"
#include "framework/ui/SystemLibrary.h"

namespace {

// Controls of the preview pane. stc32 marks where the dialog puts its own controls; ours
// stand to the right of it.
constexpr WORD StandardControlsId = 0x045F;
constexpr WORD SizeLabelId = 1101;
constexpr WORD PreviewId = 1102;
constexpr WORD StaticClass = 0x0082;

// A dialog template built in memory: DLGTEMPLATE, then each DLGITEMTEMPLATE on a
// DWORD boundary, strings as UTF-16 (all ours are empty or ASCII).
class TTemplateWriter {
public:
    void Dialog(DWORD Style, WORD Count, short Cx, short Cy)
    {
        Dword(Style);
        Dword(0);
        Word(Count);
        Word(0), Word(0), Word(WORD(Cx)), Word(WORD(Cy));
        Word(0);   // no menu
        Word(0);   // default class
        Word(0);   // no title
        Word(9);   // DS_SETFONT: point size and face
        Text("MS Shell Dlg");
    }
    void Item(DWORD Style, short X, short Y, short Cx, short Cy, WORD Id)
    {
        while (FWords.size() % 2)
            Word(0);
        Dword(Style | WS_CHILD);
        Dword(0);
        Word(WORD(X)), Word(WORD(Y)), Word(WORD(Cx)), Word(WORD(Cy));
        Word(Id);
        Word(0xFFFF), Word(StaticClass);
        Word(0);   // no text
        Word(0);   // no creation data
    }
    HGLOBAL Finish() const
    {
        const size_t Bytes = FWords.size() * sizeof(WORD);
        const HGLOBAL Memory = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, Bytes);
        if (!Memory)
            throw EOutOfResources("Cannot make the picture preview");
        memcpy(reinterpret_cast<void*>(Memory), FWords.data(), Bytes);
        return Memory;
    }

private:
    void Word(WORD W) { FWords.push_back(W); }
    void Dword(DWORD D)
    {
        Word(LOWORD(D));
        Word(HIWORD(D));
    }
    void Text(const char* S)
    {
        for (; *S; ++S)
            Word(WORD(static_cast<unsigned char>(*S)));
        Word(0);
    }
    std::vector<WORD> FWords;
};

std::vector<char> FilterList(const std::string& Filter)
{
    std::vector<char> List(Filter.begin(), Filter.end());
    for (char& C : List)
        if (C == '|')
            C = '\0';
    List.push_back('\0');
    List.push_back('\0');
    return List;
}

// The dialog appears in the middle of the work area, whatever window owns it (the hidden
// application window would put it partly off the screen).
void CentreOnScreen(HWND Wnd)
{
    RECT Work, R;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &Work, 0);
    GetWindowRect(Wnd, &R);
    const int W = R.right - R.left, H = R.bottom - R.top;
    const int X = Work.left + std::max(0, int(Work.right - Work.left - W) / 2);
    const int Y = Work.top + std::max(0, int(Work.bottom - Work.top - H) / 2);
    SetWindowPos(Wnd, nullptr, X, Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Loaded when a file dialog is first shown, kept to the end of the program.
TSystemLibrary& CommonDialogs()
{
    static TSystemLibrary Library("comdlg32.dll");
    return Library;
}

HWND OwnerWindow()
{
    if (const HWND Active = GetActiveWindow())
        return Active;
    return Application ? Application->Handle() : nullptr;
}

} // namespace

// --- TOpenDialog -------------------------------------------------------------------------

PANTREL_REGISTER(TOpenDialog, TComponent,
    PROP_STRING(FileName, FileName, SetFileName),
    PROP_STRING(Filter, Filter, SetFilter),
    PROP_INT(FilterIndex, FilterIndex, SetFilterIndex),
    PROP_STRING(InitialDir, InitialDir, SetInitialDir),
    PROP_STRING(Title, Title, SetTitle),
    PROP_STRING(DefaultExt, DefaultExt, SetDefaultExt))

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner)
{
}

bool TOpenDialog::Execute()
{
    std::vector<char> Filter = FilterList(FFilter);
    std::vector<char> File(32768, '\0');
    FFileName.copy(File.data(), File.size() - 1);

    OPENFILENAMEA Request{};
    Request.lStructSize = sizeof Request;
    Request.hwndOwner = OwnerWindow();
    Request.lpstrFilter = FFilter.empty() ? nullptr : Filter.data();
    Request.nFilterIndex = DWORD(FFilterIndex);
    Request.lpstrFile = File.data();
    Request.nMaxFile = DWORD(File.size());
    Request.lpstrInitialDir = FInitialDir.empty() ? nullptr : FInitialDir.c_str();
    Request.lpstrTitle = FTitle.empty() ? nullptr : FTitle.c_str();
    Request.lpstrDefExt = FDefaultExt.empty() ? nullptr : FDefaultExt.c_str();
    Request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                    OFN_ENABLESIZING;
    PrepareRequest(Request);
    if (CommonDialogs().Function<decltype(GetOpenFileNameA)>("GetOpenFileNameA")(&Request)) {
        FFileName = File.data();
        FFilterIndex = int(Request.nFilterIndex);
        return true;
    }
    if (const DWORD Error = CommonDialogs().Function<decltype(CommDlgExtendedError)>("CommDlgExtendedError")())
        throw EOutOfResources("The file dialog cannot be shown (error " + IntToHex(Error, 4) + ")");
    return false;
}

// --- TOpenPictureDialog ------------------------------------------------------------------

PANTREL_REGISTER(TOpenPictureDialog, TOpenDialog)

TOpenPictureDialog::TOpenPictureDialog(TComponent* AOwner) : TOpenDialog(AOwner)
{
    SetFilter(GraphicFilter());
    TTemplateWriter T;
    T.Dialog(WS_CHILD | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL | DS_SETFONT, 3, 220, 130);
    T.Item(SS_LEFT, 0, 0, 100, 100, StandardControlsId);
    T.Item(SS_LEFT | WS_VISIBLE, 110, 4, 104, 10, SizeLabelId);
    T.Item(SS_OWNERDRAW | WS_VISIBLE, 110, 16, 104, 104, PreviewId);
    FTemplate = T.Finish();
}

TOpenPictureDialog::~TOpenPictureDialog()
{
    GlobalFree(FTemplate);
}

std::string TOpenPictureDialog::GraphicFilter()
{
    return "All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf|"
           "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|"
           "Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";
}

void TOpenPictureDialog::PrepareRequest(OPENFILENAMEA& Request)
{
    FPreview.SetGraphic(nullptr);
    Request.Flags |= OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE;
    Request.hInstance = reinterpret_cast<HINSTANCE>(FTemplate);
    Request.lpfnHook = HookProc;
    Request.lCustData = reinterpret_cast<LPARAM>(this);
}

UINT_PTR CALLBACK TOpenPictureDialog::HookProc(HWND Dialog, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    // Exceptions must not unwind through the dialog's frames.
    try {
        if (Msg == WM_INITDIALOG) {
            SetWindowLongPtrA(Dialog, DWLP_USER, reinterpret_cast<const OPENFILENAMEA*>(LParam)->lCustData);
            SetDlgItemTextA(Dialog, SizeLabelId, "(无)");
            return TRUE;
        }
        auto* Self = reinterpret_cast<TOpenPictureDialog*>(GetWindowLongPtrA(Dialog, DWLP_USER));
        if (!Self)
            return 0;
        const UINT Code = Msg == WM_NOTIFY ? reinterpret_cast<const NMHDR*>(LParam)->code : 0;
        if (Code == CDN_INITDONE) {
            CentreOnScreen(GetParent(Dialog));
        } else if (Code == CDN_SELCHANGE) {
            Self->SelectionChanged(Dialog);
        } else if (Msg == WM_DRAWITEM && WParam == PreviewId) {
            Self->DrawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(LParam));
            return TRUE;
        }
    } catch (...) {
        if (ThunkExceptionHandler)
            ThunkExceptionHandler();
    }
    return 0;
}

void TOpenPictureDialog::SelectionChanged(HWND Dialog)
{
    char Path[MAX_PATH * 2] = {};
    const LRESULT Length = SendMessageA(GetParent(Dialog), CDM_GETFILEPATH, sizeof Path, reinterpret_cast<LPARAM>(Path));
    const DWORD Attributes = Length > 0 ? GetFileAttributesA(Path) : INVALID_FILE_ATTRIBUTES;
    FPreview.SetGraphic(nullptr);
    if (Attributes != INVALID_FILE_ATTRIBUTES && !(Attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        try {
            FPreview.LoadFromFile(Path);
        } catch (const Exception&) {
            // Not a picture we can show: the preview stays empty.
        }
    }
    const std::string Size = FPreview.Graphic() ? "(" + IntToStr(FPreview.Width()) + " x " + IntToStr(FPreview.Height()) + ")"
                                                : std::string("(无)");
    SetDlgItemTextA(Dialog, SizeLabelId, Size.c_str());
    InvalidateRect(GetDlgItem(Dialog, PreviewId), nullptr, TRUE);
}

void TOpenPictureDialog::DrawPreview(const DRAWITEMSTRUCT& Item)
{
    const RECT& Box = Item.rcItem;
    FillRect(Item.hDC, &Box, GetSysColorBrush(COLOR_WINDOW));
    RECT Frame = Box;
    DrawEdge(Item.hDC, &Frame, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    TGraphic* Graphic = FPreview.Graphic();
    if (!Graphic || Graphic->Empty())
        return;
    RECT R = FitPictureRect(Graphic->Width(), Graphic->Height(), Frame.right - Frame.left, Frame.bottom - Frame.top,
                            false, true, true);
    OffsetRect(&R, Frame.left, Frame.top);
    TCanvas Canvas;
    Canvas.SetHandle(Item.hDC);
    Canvas.StretchDraw(R, *Graphic);
    Canvas.SetHandle(nullptr);
}
