#include "framework/graphics/ImageList.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"

PANTREL_REGISTER(TImageList, TComponent,
    PROP_INT(Height, Height, SetHeight),
    PROP_INT(Width, Width, SetWidth))

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner)
{
}

TImageList::~TImageList()
{
    if (FHandle)
        ImageList_Destroy(FHandle);
}

void TImageList::Recreate()
{
    if (FHandle)
        ImageList_Destroy(FHandle);
    FHandle = nullptr;
}

void TImageList::SetWidth(int Value)
{
    if (Value == FWidth || Value <= 0)
        return;
    FWidth = Value;
    Recreate();
}

void TImageList::SetHeight(int Value)
{
    if (Value == FHeight || Value <= 0)
        return;
    FHeight = Value;
    Recreate();
}

HIMAGELIST TImageList::Handle()
{
    if (!FHandle)
        FHandle = ImageList_Create(FWidth, FHeight, ILC_COLOR24 | ILC_MASK, 4, 4);
    return FHandle;
}

int TImageList::Count() const
{
    return FHandle ? ImageList_GetImageCount(FHandle) : 0;
}

int TImageList::AddMasked(TBitmap& Image, TColor MaskColor)
{
    if (Image.Empty())
        return -1;
    // ImageList_AddMasked blackens the masked pixels of the bitmap it is given.
    TBitmap Copy;
    Copy.Assign(Image);
    Copy.SetPixelFormat(pf24bit);
    return ImageList_AddMasked(Handle(), Copy.Handle(), ColorToRGB(MaskColor));
}

void TImageList::ResourceLoad(HINSTANCE Instance, const std::string& Name, TColor MaskColor)
{
    TBitmap Image;
    Image.LoadFromResourceName(Instance, Name);
    FHeight = Image.Height();
    Recreate();
    AddMasked(Image, MaskColor);
}

void TImageList::Delete(int Index)
{
    if (FHandle && Index >= 0 && Index < Count())
        ImageList_Remove(FHandle, Index);
}

void TImageList::Clear()
{
    if (FHandle)
        ImageList_Remove(FHandle, -1);
}

void TImageList::Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled)
{
    if (Index < 0 || Index >= Count())
        return;
    const HDC DC = Canvas.Handle();
    if (Enabled)
        ImageList_Draw(FHandle, Index, DC, X, Y, ILD_TRANSPARENT);
    else
        DrawDisabled(DC, X, Y, Index);
}

// The classic greyed look: the image's shape embossed, highlight one pixel down and right,
// shadow on top.
void TImageList::DrawDisabled(HDC DC, int X, int Y, int Index)
{
    const HDC MaskDC = CreateCompatibleDC(DC);
    const HBITMAP Mask = CreateBitmap(FWidth, FHeight, 1, 1, nullptr);
    const HGDIOBJ OldMask = SelectObject(MaskDC, Mask);
    // The mask is black where the image shows and white where it is transparent; it is
    // combined with what is there, so start from white.
    PatBlt(MaskDC, 0, 0, FWidth, FHeight, WHITENESS);
    ImageList_Draw(FHandle, Index, MaskDC, 0, 0, ILD_MASK);
    const COLORREF OldText = SetTextColor(DC, RGB(0, 0, 0));
    const COLORREF OldBack = SetBkColor(DC, RGB(255, 255, 255));
    for (const int Pass : {0, 1}) {
        const HBRUSH Brush = CreateSolidBrush(GetSysColor(Pass == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW));
        const HGDIOBJ OldBrush = SelectObject(DC, Brush);
        // Where the mask is black paint the brush, elsewhere keep the destination.
        const int Offset = Pass == 0 ? 1 : 0;
        BitBlt(DC, X + Offset, Y + Offset, FWidth, FHeight, MaskDC, 0, 0, 0x00B8074A);
        SelectObject(DC, OldBrush);
        DeleteObject(Brush);
    }
    SetTextColor(DC, OldText);
    SetBkColor(DC, OldBack);
    SelectObject(MaskDC, OldMask);
    DeleteObject(Mask);
    DeleteDC(MaskDC);
}

void TImageList::GetBitmap(int Index, TBitmap& Bitmap)
{
    if (Index < 0 || Index >= Count())
        return;
    Bitmap.SetPixelFormat(pf24bit);
    Bitmap.SetSize(FWidth, FHeight);
    ImageList_Draw(FHandle, Index, Bitmap.Canvas()->Handle(), 0, 0, ILD_NORMAL);
}
