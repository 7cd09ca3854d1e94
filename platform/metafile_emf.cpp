// The enhanced-metafile back end: 32-bit records, UTF-16 text, the picture frame in hundredths
// of a millimetre at 96 pixels per inch.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <uemf.h>

#include "platform/metafile_device.h"
#include "platform/metafile_records.h"

namespace {

// Coordinates beyond 2^27 are not drawn by the usual players; keep everything within.
constexpr int EmfLimit = (1 << 27) - 1;

// Offsets of the fields of the header record that are known only at the end.
constexpr int HeaderBytesAt = 48;
constexpr int HeaderRecordsAt = 52;
constexpr int HeaderHandlesAt = 56;
constexpr int HeaderMicrometersAt = 100;

U_RECTL RectL(int Left, int Top, int Right, int Bottom) {
  U_RECTL R;
  R.left = Left;
  R.top = Top;
  R.right = Right;
  R.bottom = Bottom;
  return R;
}

U_RECTL RectL(const TRect& R) { return RectL(R.Left, R.Top, R.Right, R.Bottom); }

void PutU32(char* At, uint32_t V) {
  for (int I = 0; I < 4; ++I) At[I] = static_cast<char>((V >> (8 * I)) & 0xFF);
}

class TEmfWriter final : public TMetafileDevice {
 public:
  TEmfWriter(const QString& FileName, int Width, int Height)
      : TMetafileDevice(FileName, Width, Height, EmfLimit) {
    if (emf_htable_create(32, 32, &FHandles) != 0) Fail();
  }
  ~TEmfWriter() override {
    if (FHandles) emf_htable_free(&FHandles);
  }

 protected:
  void BeginPicture() override {
    const double MmPerPixel = 25.4 / 96;
    const int FrameW = static_cast<int>(std::lround(Width() * MmPerPixel * 100));
    const int FrameH = static_cast<int>(std::lround(Height() * MmPerPixel * 100));
    U_SIZEL Device = sizel_set(Width(), Height());
    U_SIZEL Mm = sizel_set(std::max(1, static_cast<int>(std::lround(Width() * MmPerPixel))),
                           std::max(1, static_cast<int>(std::lround(Height() * MmPerPixel))));
    char* Header = U_EMRHEADER_set(RectL(0, 0, Width(), Height()), RectL(0, 0, FrameW, FrameH),
                                   nullptr, 0, nullptr, Device, Mm, 0);
    if (Header && reinterpret_cast<U_EMR*>(Header)->nSize >= HeaderMicrometersAt + 8) {
      // The exact size for players that prefer it to the rounded millimetres.
      PutU32(Header + HeaderMicrometersAt,
             static_cast<uint32_t>(std::lround(Width() * MmPerPixel * 1000)));
      PutU32(Header + HeaderMicrometersAt + 4,
             static_cast<uint32_t>(std::lround(Height() * MmPerPixel * 1000)));
    }
    Add(Header);
  }

  QByteArray EndPicture() override {
    EMFTRACK Track{};
    Add(U_EMREOF_set(0, nullptr, &Track));
    if (FOut.size() < HeaderHandlesAt + 2) {
      Fail();
      return {};
    }
    PutU32(FOut.data() + HeaderBytesAt, static_cast<uint32_t>(FOut.size()));
    PutU32(FOut.data() + HeaderRecordsAt, FRecords);
    const uint32_t Handles = FHandles ? FHandles->peak + 1 : 1;
    FOut[HeaderHandlesAt] = static_cast<char>(Handles & 0xFF);
    FOut[HeaderHandlesAt + 1] = static_cast<char>((Handles >> 8) & 0xFF);
    return FOut;
  }

  void WriteSaveDC() override { Add(U_EMRSAVEDC_set()); }
  void WriteRestoreDC() override { Add(U_EMRRESTOREDC_set(-1)); }

  void DeleteObjects() override {
    for (uint32_t* H : {&FPenHandle, &FBrushHandle, &FFontHandle}) {
      if (*H) Add(deleteobject_set(H, FHandles));
      *H = 0;
    }
  }

  void WritePen(const TPenData& Pen) override {
    uint32_t H = 0;
    if (Pen.Width > 1) {
      // A wide pen is geometric, round-ended and round-joined, as the canvas draws it; players
      // take the simple record for a one-pixel pen.
      PU_EXTLOGPEN Ext = extlogpen_set(
          U_PS_GEOMETRIC | U_PS_ENDCAP_ROUND | U_PS_JOIN_ROUND | MetafilePenStyle(Pen.Style),
          static_cast<uint32_t>(Pen.Width), U_BS_SOLID, MetafileColorRef(Pen.Color), 0, 0, nullptr);
      if (!Ext) {
        Fail();
        return;
      }
      Add(extcreatepen_set(&H, FHandles, nullptr, 0, nullptr, Ext));
      std::free(Ext);
    } else {
      Add(createpen_set(&H, FHandles,
                        logpen_set(MetafilePenStyle(Pen.Style), point32_set(Pen.Width, 0),
                                   MetafileColorRef(Pen.Color))));
    }
    Replace(H, FPenHandle);
  }

  void WriteBrush(const TBrushData& Brush) override {
    uint32_t H = 0;
    if (Brush.Style != bsClear && !Brush.Bitmap.isNull()) {
      const TDib Dib = MakeDib(Brush.Bitmap, EmfLimit);
      Add(createdibpatternbrushpt_set(
          &H, FHandles, U_DIB_RGB_COLORS,
          reinterpret_cast<PU_BITMAPINFO>(const_cast<char*>(Dib.Info.constData())),
          static_cast<uint32_t>(Dib.Bits.size()), Dib.Bits.constData()));
    } else if (Brush.Style == bsClear) {
      Add(createbrushindirect_set(&H, FHandles,
                                  logbrush_set(U_BS_NULL, MetafileColorRef(clBlack), 0)));
    } else if (Brush.Style == bsSolid) {
      Add(createbrushindirect_set(&H, FHandles,
                                  logbrush_set(U_BS_SOLID, MetafileColorRef(Brush.Color), 0)));
    } else {
      Add(createbrushindirect_set(
          &H, FHandles,
          logbrush_set(U_BS_HATCHED, MetafileColorRef(Brush.Color),
                       static_cast<int32_t>(MetafileHatchStyle(Brush.Style)))));
    }
    Replace(H, FBrushHandle);
  }

  void WriteFont(const TFontData& Font) override {
    U_LOGFONT L;
    std::memset(&L, 0, sizeof L);
    L.lfHeight = Font.Height;
    L.lfEscapement = Font.Escapement;
    L.lfOrientation = Font.Escapement;
    L.lfWeight = Font.Style.Contains(fsBold) ? U_FW_BOLD : U_FW_NORMAL;
    L.lfItalic = Font.Style.Contains(fsItalic) ? 1 : 0;
    L.lfUnderline = Font.Style.Contains(fsUnderline) ? 1 : 0;
    L.lfStrikeOut = Font.Style.Contains(fsStrikeOut) ? 1 : 0;
    L.lfCharSet = static_cast<uint8_t>(std::clamp(Font.Charset, 0, 255));
    L.lfPitchAndFamily = Font.Pitch == fpFixed ? 1 : Font.Pitch == fpVariable ? 2 : 0;
    const qsizetype N = std::min<qsizetype>(Font.Name.size(), U_LF_FACESIZE - 1);
    for (qsizetype I = 0; I < N; ++I) L.lfFaceName[I] = Font.Name[I].unicode();
    uint32_t H = 0;
    Add(extcreatefontindirectw_set(&H, FHandles, reinterpret_cast<const char*>(&L), nullptr));
    Replace(H, FFontHandle);
  }

  void WriteTextAlign(unsigned Align) override { Add(U_EMRSETTEXTALIGN_set(Align)); }
  void WriteBackMode(TBackMode Mode) override {
    Add(U_EMRSETBKMODE_set(Mode == bmOpaque ? U_OPAQUE : U_TRANSPARENT));
  }
  void WriteBackColor(TColor Color) override { Add(U_EMRSETBKCOLOR_set(MetafileColorRef(Color))); }
  void WriteTextColor(TColor Color) override {
    Add(U_EMRSETTEXTCOLOR_set(MetafileColorRef(Color)));
  }
  void WritePolyFillMode(TPolyFillMode Mode) override {
    Add(U_EMRSETPOLYFILLMODE_set(Mode == pfWinding ? U_WINDING : U_ALTERNATE));
  }

  void WriteIntersectClip(const TRect& R) override { Add(U_EMRINTERSECTCLIPRECT_set(RectL(R))); }
  void WriteExcludeClip(const TRect& R) override { Add(U_EMREXCLUDECLIPRECT_set(RectL(R))); }

  void WritePolyline(std::span<const TPoint> Points) override {
    const std::vector<U_POINTL> P = ToPointL(Points);
    Add(U_EMRPOLYLINE_set(BoundsOf(Points), static_cast<uint32_t>(P.size()), P.data()));
  }

  void WritePolygon(std::span<const TPoint> Points) override {
    const std::vector<U_POINTL> P = ToPointL(Points);
    Add(U_EMRPOLYGON_set(BoundsOf(Points), static_cast<uint32_t>(P.size()), P.data()));
  }

  void WriteShape(TCanvasOpKind Kind, const TRect& R, TSize Corner, TPoint Start,
                  TPoint End) override {
    const U_RECTL Box = RectL(R);
    const U_POINTL S = point32_set(Start.X, Start.Y);
    const U_POINTL E = point32_set(End.X, End.Y);
    switch (Kind) {
      case coEllipse:
        Add(U_EMRELLIPSE_set(Box));
        break;
      case coRoundRect:
        Add(U_EMRROUNDRECT_set(Box, sizel_set(Corner.cx, Corner.cy)));
        break;
      case coArc:
        Add(U_EMRARC_set(Box, S, E));
        break;
      case coPie:
        Add(U_EMRPIE_set(Box, S, E));
        break;
      case coChord:
        Add(U_EMRCHORD_set(Box, S, E));
        break;
      default:
        Add(U_EMRRECTANGLE_set(Box));
        break;
    }
  }

  void WriteText(TPoint At, const QString& Text, unsigned Options, const TRect& R,
                 const TFontData& Font) override {
    std::vector<uint16_t> Units(static_cast<size_t>(Text.size()) + 1, 0);
    for (qsizetype I = 0; I < Text.size(); ++I) Units[static_cast<size_t>(I)] = Text[I].unicode();
    const std::vector<int> Advances = TMetafileDevice::Advances(Text, Font, false);
    std::vector<uint32_t> Dx(Advances.begin(), Advances.end());
    Dx.push_back(0);
    const U_RECTL Box = Options ? RectL(R) : RectL(0, 0, -1, -1);
    char* Emt = emrtext_set(point32_set(At.X, At.Y), static_cast<U_NUM_STR>(Text.size()), 2,
                            Units.data(), Options, Box, Dx.data());
    if (!Emt) {
      Fail();
      return;
    }
    // The scale from page units to hundredths of a millimetre, for players in compatible mode.
    const float Scale = static_cast<float>(2540.0 / 96);
    Add(U_EMREXTTEXTOUTW_set(RectL(0, 0, -1, -1), U_GM_COMPATIBLE, Scale, Scale,
                             reinterpret_cast<PU_EMRTEXT>(Emt)));
    std::free(Emt);
  }

  void WritePixel(TPoint At, TColor Color) override {
    Add(U_EMRSETPIXELV_set(point32_set(At.X, At.Y), MetafileColorRef(Color)));
  }

  void WriteImage(const TRect& R, const QImage& Image) override {
    TDib Dib = MakeDib(Image, EmfLimit);
    Add(U_EMRSTRETCHDIBITS_set(RectL(R.Left, R.Top, R.Right - 1, R.Bottom - 1),
                               point32_set(R.Left, R.Top),
                               point32_set(R.Right - R.Left, R.Bottom - R.Top), point32_set(0, 0),
                               point32_set(Dib.Width, Dib.Height), U_DIB_RGB_COLORS, U_SRCCOPY,
                               reinterpret_cast<PU_BITMAPINFO>(Dib.Info.data()),
                               static_cast<uint32_t>(Dib.Bits.size()), Dib.Bits.data()));
  }

 private:
  void Add(char* Record) {
    if (!Record) {
      Fail();
      return;
    }
    const uint32_t Size = reinterpret_cast<const U_EMR*>(Record)->nSize;
    if (!Failed()) {
      FOut.append(Record, static_cast<qsizetype>(Size));
      ++FRecords;
    }
    std::free(Record);
  }

  // Selects the new object and deletes the one it replaces.
  void Replace(uint32_t New, uint32_t& Current) {
    if (!New) {
      Fail();
      return;
    }
    Add(selectobject_set(New, FHandles));
    if (Current) Add(deleteobject_set(&Current, FHandles));
    Current = New;
  }

  static std::vector<U_POINTL> ToPointL(std::span<const TPoint> Points) {
    std::vector<U_POINTL> P;
    P.reserve(Points.size());
    for (const TPoint& Q : Points) P.push_back(point32_set(Q.X, Q.Y));
    return P;
  }

  static U_RECTL BoundsOf(std::span<const TPoint> Points) {
    U_RECTL B = RectL(Points[0].X, Points[0].Y, Points[0].X, Points[0].Y);
    for (const TPoint& P : Points) {
      B.left = std::min(B.left, P.X);
      B.top = std::min(B.top, P.Y);
      B.right = std::max(B.right, P.X);
      B.bottom = std::max(B.bottom, P.Y);
    }
    return B;
  }

  QByteArray FOut;
  uint32_t FRecords = 0;
  EMFHANDLES* FHandles = nullptr;
  uint32_t FPenHandle = 0;
  uint32_t FBrushHandle = 0;
  uint32_t FFontHandle = 0;
};

}  // namespace

std::unique_ptr<TMetafileDevice> CreateEmfDevice(const QString& FileName, int Width, int Height) {
  return std::make_unique<TEmfWriter>(FileName, Width, Height);
}
