#pragma once
// In-place turns and mirrors of a bitmap, so one skin image serves several orientations
// (the combo button's mirror image, tabs on the bottom, left and right edges). Bitmaps in
// another format are converted to 24 bits per pixel first.
class TBitmap;

void MirrorBitmap(TBitmap& Bitmap);  // left to right
void FlipBitmap(TBitmap& Bitmap);    // top to bottom
void RotateLeft(TBitmap& Bitmap);    // a quarter turn counter-clockwise
void RotateRight(TBitmap& Bitmap);   // a quarter turn clockwise
