// Counting the process's live GDI objects, for leak checks.
#pragma once

// Wine's GetGuiResources is a stub; there the entries in use of the process's GDI handle
// table (the 64-bit PEB's GdiSharedHandleTable) are counted. 0 when neither answers.
int LiveGdiObjects();
