#include "resources/Pictures.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

// The pictures live in a static library; nothing would pull their registration in.
static void RegisterPictures()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    (void)registered;
}

namespace {

QString ResourcePath(const QString& name)
{
    RegisterPictures();
    return QStringLiteral(":/pictures/") + name;
}

// libjpeg ends the process on a broken picture unless its error exit returns here.
struct JpegErrorTrap
{
    jpeg_error_mgr manager;
    std::jmp_buf escape;
};

[[noreturn]] void LeaveOnJpegError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrorTrap*>(info->err)->escape, 1);
}

void IgnoreJpegMessage(j_common_ptr) {}

} // namespace

QPixmap LoadPicture(const QString& name)
{
    return QPixmap(ResourcePath(name));
}

QImage LoadJpegPicture(const QString& name)
{
    QFile file(ResourcePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return DecodeJpeg(file.readAll());
}

QImage DecodeJpeg(const QByteArray& data)
{
    if (data.isEmpty())
        return {};

    jpeg_decompress_struct info{};
    JpegErrorTrap trap{};
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = LeaveOnJpegError;
    trap.manager.output_message = IgnoreJpegMessage;

    // Declared before the jump point so its state is defined after a longjmp.
    QImage* volatile image = nullptr;
    if (setjmp(trap.escape) != 0) {
        jpeg_destroy_decompress(&info);
        delete image;
        return {};
    }

    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);

    image = new QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);

    QImage result = std::move(*image);
    delete image;
    return result;
}
