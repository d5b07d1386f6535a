#include "framework/graphics/JpegFile.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include <jpeglib.h>

namespace {

// libjpeg's working memory per picture; a picture that needs more is refused.
constexpr long MaxJpegMemory = 256L << 20;
// Progressive files can repeat scans without end; real ones have a dozen or so.
constexpr int MaxScans = 500;

// libjpeg reports errors by calling error_exit, which must not return: it jumps back to
// the decoding function, which cleans up and raises the exception outside libjpeg's frames.
struct TJpegError {
    jpeg_error_mgr Manager;
    jpeg_progress_mgr Progress;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

TJpegError& ErrorOf(j_common_ptr Info)
{
    return *reinterpret_cast<TJpegError*>(Info->err);
}

[[noreturn]] void ErrorExit(j_common_ptr Info)
{
    TJpegError& E = ErrorOf(Info);
    Info->err->format_message(Info, E.Message);
    std::longjmp(E.Jump, 1);
}

// Level -1 is a corrupt-data warning: libjpeg would go on with made-up pixels.
void EmitMessage(j_common_ptr Info, int Level)
{
    if (Level < 0)
        ErrorExit(Info);
}

void CheckProgress(j_common_ptr Info)
{
    if (reinterpret_cast<j_decompress_ptr>(Info)->input_scan_number > MaxScans) {
        TJpegError& E = ErrorOf(Info);
        std::snprintf(E.Message, sizeof E.Message, "more than %d scans", MaxScans);
        std::longjmp(E.Jump, 1);
    }
}

// The decoder's state lives in the caller so that nothing with a destructor sits in a
// frame that longjmp leaves.
class TDecoder {
public:
    TDecoder()
    {
        std::memset(&FInfo, 0, sizeof FInfo);
        FInfo.err = jpeg_std_error(&FError.Manager);
        FError.Manager.error_exit = ErrorExit;
        FError.Manager.emit_message = EmitMessage;
        FError.Progress.progress_monitor = CheckProgress;
        FError.Message[0] = 0;
    }
    ~TDecoder() { jpeg_destroy_decompress(&FInfo); }

    // Both return false with Message() set when libjpeg fails.
    bool ReadHeader(const uint8_t* Data, size_t Size)
    {
        if (setjmp(FError.Jump))
            return false;
        jpeg_create_decompress(&FInfo);
        FInfo.mem->max_memory_to_use = MaxJpegMemory;
        FInfo.progress = &FError.Progress;
        jpeg_mem_src(&FInfo, Data, static_cast<unsigned long>(Size));
        jpeg_read_header(&FInfo, TRUE);
        return true;
    }

    bool ReadPixels(TPixelImage& Image)
    {
        if (setjmp(FError.Jump))
            return false;
        FInfo.out_color_space = JCS_RGB;
        jpeg_start_decompress(&FInfo);
        while (FInfo.output_scanline < FInfo.output_height) {
            JSAMPROW Row = Image.Row(int(FInfo.output_scanline));
            jpeg_read_scanlines(&FInfo, &Row, 1);
        }
        jpeg_finish_decompress(&FInfo);
        return true;
    }

    jpeg_decompress_struct& Info() { return FInfo; }
    std::string Message() const { return FError.Message; }

private:
    jpeg_decompress_struct FInfo;
    TJpegError FError;
};

[[noreturn]] void Fail(const std::string& Why)
{
    throw EInvalidGraphic("JPEG image is not valid: " + Why);
}

void ReadHeaderOrFail(TDecoder& Decoder, const uint8_t* Data, size_t Size)
{
    if (Size == 0)
        Fail("the file is empty");
    if (!Decoder.ReadHeader(Data, Size))
        Fail(Decoder.Message());
}

}  // namespace

TJpegInfo ReadJpegInfo(const uint8_t* Data, size_t Size)
{
    TDecoder Decoder;
    ReadHeaderOrFail(Decoder, Data, Size);
    const jpeg_decompress_struct& Info = Decoder.Info();
    TJpegInfo Result;
    Result.Width = int(Info.image_width);
    Result.Height = int(Info.image_height);
    Result.Grayscale = Info.jpeg_color_space == JCS_GRAYSCALE;
    Result.Progressive = Info.progressive_mode != 0;
    return Result;
}

TPixelImage ReadJpegFile(const uint8_t* Data, size_t Size)
{
    TDecoder Decoder;
    ReadHeaderOrFail(Decoder, Data, Size);
    TPixelImage Image;
    Image.Allocate(int(Decoder.Info().image_width), int(Decoder.Info().image_height), 24);
    if (!Decoder.ReadPixels(Image))
        Fail(Decoder.Message());
    // libjpeg delivers red first; bitmaps store blue first.
    for (int Y = 0; Y < Image.Height; ++Y) {
        uint8_t* P = Image.Row(Y);
        for (int X = 0; X < Image.Width; ++X, P += 3)
            std::swap(P[0], P[2]);
    }
    return Image;
}
