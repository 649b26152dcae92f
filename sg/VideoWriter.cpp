#include "VideoWriter.h"

#include "JobPipeline.h"
#include "Logging.h"

#include <Error.h>
#include <QFile>
#include <QFileInfo>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace vellum::sg {

namespace {

// Motion JPEG's fixed quantiser: visually clean, about a tenth of the raw size.
constexpr int MjpegQuantiser = 3;

QString avErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

[[noreturn]] void raise(int number, const QString& what, int code)
{
    throw Error(number, QStringLiteral("%1: %2").arg(what, avErrorText(code)));
}

void check(int code, const QString& what, int number = ErrorNumber::InvalidProcedureCall)
{
    if (code < 0)
        raise(number, what, code);
}

struct CodecContextDeleter
{
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameDeleter
{
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketDeleter
{
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct ScaleDeleter
{
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};
// Closes the file (if the muxer opened one) and frees the muxer.
struct FormatDeleter
{
    void operator()(AVFormatContext* f) const
    {
        if (f->pb && !(f->oformat->flags & AVFMT_NOFILE))
            avio_closep(&f->pb);
        avformat_free_context(f);
    }
};

bool wantsH264(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == QLatin1String("mp4") || suffix == QLatin1String("mkv");
}

} // namespace

struct VideoWriter::Handles
{
    QString fileName;
    QSize size;
    std::unique_ptr<AVFormatContext, FormatDeleter> format;
    std::unique_ptr<AVCodecContext, CodecContextDeleter> codec;
    std::unique_ptr<AVFrame, FrameDeleter> frame; // converted once per input, reused
    std::unique_ptr<AVPacket, PacketDeleter> packet;
    std::unique_ptr<SwsContext, ScaleDeleter> scale;
    AVStream* stream = nullptr;
    bool headerWritten = false;
    bool failed = false;
    // Conversion and encoding run beside the caller, which renders the next frame meanwhile.
    // Declared last: it finishes its jobs before the handles they use go.
    std::unique_ptr<JobPipeline> encoder;

    void openFormat();
    void openCodec(int framesPerSecond);
    void encode(const QImage& bgra, std::int64_t frameIndex);
    void writePackets();
    void finish();
};

void VideoWriter::Handles::openFormat()
{
    const QByteArray path = QFile::encodeName(fileName);
    const char* muxer = wantsH264(fileName) ? nullptr : "avi";
    AVFormatContext* raw = nullptr;
    check(avformat_alloc_output_context2(&raw, nullptr, muxer, path.constData()),
          QStringLiteral("Cannot choose a container for %1").arg(fileName));
    format.reset(raw);
}

void VideoWriter::Handles::openCodec(int framesPerSecond)
{
    const bool h264 = wantsH264(fileName);
    const AVCodec* encoder = avcodec_find_encoder(h264 ? AV_CODEC_ID_H264 : AV_CODEC_ID_MJPEG);
    if (!encoder)
        throw Error(ErrorNumber::InvalidProcedureCall,
                    QStringLiteral("This FFmpeg has no %1 encoder")
                        .arg(h264 ? QStringLiteral("H.264") : QStringLiteral("Motion JPEG")));
    codec.reset(avcodec_alloc_context3(encoder));
    if (!codec)
        throw Error(ErrorNumber::OutOfMemory, QStringLiteral("Out of memory"));
    codec->width = size.width();
    codec->height = size.height();
    codec->time_base = AVRational{1, framesPerSecond};
    codec->framerate = AVRational{framesPerSecond, 1};
    if (h264) {
        codec->pix_fmt = AV_PIX_FMT_YUV420P;
        codec->gop_size = framesPerSecond * 2;
        av_opt_set(codec->priv_data, "preset", "veryfast", 0);
        av_opt_set(codec->priv_data, "crf", "20", 0);
    } else {
        codec->pix_fmt = AV_PIX_FMT_YUVJ420P;
        codec->flags |= AV_CODEC_FLAG_QSCALE;
        codec->global_quality = FF_QP2LAMBDA * MjpegQuantiser;
    }
    if (format->oformat->flags & AVFMT_GLOBALHEADER)
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    check(avcodec_open2(codec.get(), encoder, nullptr), QStringLiteral("Cannot open the encoder"));

    stream = avformat_new_stream(format.get(), nullptr);
    if (!stream)
        throw Error(ErrorNumber::OutOfMemory, QStringLiteral("Out of memory"));
    stream->time_base = codec->time_base;
    stream->avg_frame_rate = codec->framerate;
    check(avcodec_parameters_from_context(stream->codecpar, codec.get()),
          QStringLiteral("Cannot describe the video stream"));

    frame.reset(av_frame_alloc());
    packet.reset(av_packet_alloc());
    if (!frame || !packet)
        throw Error(ErrorNumber::OutOfMemory, QStringLiteral("Out of memory"));
    frame->format = codec->pix_fmt;
    frame->width = codec->width;
    frame->height = codec->height;
    check(av_frame_get_buffer(frame.get(), 0), QStringLiteral("Cannot allocate a frame"));
    scale.reset(sws_getContext(size.width(), size.height(), AV_PIX_FMT_BGRA, size.width(),
                               size.height(), codec->pix_fmt, SWS_BILINEAR, nullptr, nullptr,
                               nullptr));
    if (!scale)
        throw Error(ErrorNumber::InvalidProcedureCall,
                    QStringLiteral("Cannot convert pictures for the encoder"));
}

void VideoWriter::Handles::encode(const QImage& bgra, std::int64_t frameIndex)
{
    check(av_frame_make_writable(frame.get()), QStringLiteral("Cannot reuse a frame"));
    const std::uint8_t* planes[1] = {bgra.constBits()};
    const int strides[1] = {int(bgra.bytesPerLine())};
    sws_scale(scale.get(), planes, strides, 0, size.height(), frame->data, frame->linesize);
    frame->pts = frameIndex;
    // The MJPEG encoder takes its quantiser from each frame, not from the context.
    frame->quality = codec->global_quality;
    check(avcodec_send_frame(codec.get(), frame.get()), QStringLiteral("Cannot encode a frame"));
    writePackets();
}

void VideoWriter::Handles::writePackets()
{
    for (;;) {
        const int received = avcodec_receive_packet(codec.get(), packet.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
            return;
        check(received, QStringLiteral("Cannot encode a frame"));
        av_packet_rescale_ts(packet.get(), codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        check(av_interleaved_write_frame(format.get(), packet.get()),
              QStringLiteral("Cannot write to %1").arg(fileName), ErrorNumber::PathFileAccess);
        if (format->pb && format->pb->error < 0)
            raise(ErrorNumber::PathFileAccess, QStringLiteral("Cannot write to %1").arg(fileName),
                  format->pb->error);
    }
}

void VideoWriter::Handles::finish()
{
    check(avcodec_send_frame(codec.get(), nullptr), QStringLiteral("Cannot flush the encoder"));
    writePackets();
    check(av_write_trailer(format.get()), QStringLiteral("Cannot finish %1").arg(fileName),
          ErrorNumber::PathFileAccess);
    if (!(format->oformat->flags & AVFMT_NOFILE))
        check(avio_closep(&format->pb), QStringLiteral("Cannot close %1").arg(fileName),
              ErrorNumber::PathFileAccess);
}

VideoWriter::VideoWriter(const QString& fileName, QSize frameSize, int framesPerSecond)
    : d(std::make_unique<Handles>())
{
    // Failures come back as errors; FFmpeg's own chatter stays off the terminal.
    av_log_set_level(AV_LOG_ERROR);
    if (frameSize.width() <= 0 || frameSize.height() <= 0 || framesPerSecond <= 0)
        throw Error::invalidPropertyValue();
    // Encoders of 4:2:0 video want even sizes; the last odd row or column is dropped.
    d->fileName = fileName;
    d->size = QSize(frameSize.width() & ~1, frameSize.height() & ~1);
    if (d->size.isEmpty())
        throw Error::invalidPropertyValue();
    bool created = false;
    try {
        d->openFormat();
        d->openCodec(framesPerSecond);
        const QByteArray path = QFile::encodeName(fileName);
        if (!(d->format->oformat->flags & AVFMT_NOFILE)) {
            check(avio_open(&d->format->pb, path.constData(), AVIO_FLAG_WRITE),
                  QStringLiteral("Cannot create %1").arg(fileName), ErrorNumber::PathFileAccess);
            created = true;
        }
        check(avformat_write_header(d->format.get(), nullptr),
              QStringLiteral("Cannot write to %1").arg(fileName), ErrorNumber::PathFileAccess);
    } catch (const Error&) {
        d->format.reset();
        if (created)
            QFile::remove(fileName);
        throw;
    }
    d->headerWritten = true;
    // Two frames in waiting keep both cores busy without holding many pictures.
    d->encoder = std::make_unique<JobPipeline>(2);
}

VideoWriter::~VideoWriter()
{
    if (d && d->format && d->headerWritten)
        try {
            close();
        } catch (const Error& error) {
            qCWarning(lcSceneGraph) << "video not finished:" << error.description();
        }
}

void VideoWriter::addFrame(const QImage& picture, std::int64_t frameIndex)
{
    if (!d->format)
        throw Error::invalidProcedureCall();
    if (picture.isNull())
        throw Error::objectNotSet();
    if (picture.width() < d->size.width() || picture.height() < d->size.height())
        throw Error::invalidPropertyValue();
    const QImage bgra =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
            ? picture
            : picture.convertToFormat(QImage::Format_RGB32);
    try {
        d->encoder->submit(
            [handles = d.get(), bgra, frameIndex] { handles->encode(bgra, frameIndex); });
    } catch (const Error&) {
        d->failed = true;
        throw;
    }
}

void VideoWriter::close()
{
    if (!d->format)
        return;
    bool failed = d->failed;
    std::exception_ptr problem;
    try {
        d->encoder->wait(); // a frame that failed since the last addFrame is reported here
        if (!failed)
            d->finish();
    } catch (const Error&) {
        if (!failed)
            problem = std::current_exception();
        failed = true;
    }
    d->encoder.reset();
    d->format.reset();
    d->codec.reset();
    if (failed)
        QFile::remove(d->fileName); // a broken file must not pass for a recording
    if (problem)
        std::rethrow_exception(problem);
}

QString VideoWriter::codecName() const
{
    return d->codec ? QString::fromLatin1(d->codec->codec->name) : QString();
}

} // namespace vellum::sg
