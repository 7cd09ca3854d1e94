// The placeable old-style metafile back end: 16-bit records and coordinates, text in code page
// 1252, the picture's bounds given at 96 units per inch.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <uwmf.h>

#include "platform/codepage.h"
#include "platform/metafile_device.h"
#include "platform/metafile_records.h"

namespace {

constexpr int WmfLimit = 32767;
// The most points one record holds; a longer line is written in pieces, a polygon is thinned.
constexpr size_t MaxRecordPoints = 16000;
constexpr qsizetype MaxTextBytes = 8000;
// Object numbers start at 0 here, so "no object" needs its own value.
constexpr uint32_t NoObject = UINT32_MAX;

// The placeable header before the standard one, and the fields known only at the end.
constexpr int PlaceableSize = 22;
constexpr int BoundsAt = 6;
constexpr int InchAt = 14;
constexpr int ChecksumAt = 20;
constexpr int SizeAt = PlaceableSize + 6;
constexpr int ObjectsAt = PlaceableSize + 10;
constexpr int MaxRecordAt = PlaceableSize + 12;

U_POINT16 Point16(int X, int Y) {
  return point16_set(static_cast<int16_t>(X), static_cast<int16_t>(Y));
}

U_RECT16 Rect16(int Left, int Top, int Right, int Bottom) {
  U_RECT16 R;
  R.left = static_cast<int16_t>(Left);
  R.top = static_cast<int16_t>(Top);
  R.right = static_cast<int16_t>(Right);
  R.bottom = static_cast<int16_t>(Bottom);
  return R;
}

U_RECT16 Rect16(const TRect& R) { return Rect16(R.Left, R.Top, R.Right, R.Bottom); }

void PutU16(QByteArray& B, int At, unsigned V) {
  B[At] = static_cast<char>(V & 0xFF);
  B[At + 1] = static_cast<char>((V >> 8) & 0xFF);
}

void PutU32(QByteArray& B, int At, uint32_t V) {
  for (int I = 0; I < 4; ++I) B[At + I] = static_cast<char>((V >> (8 * I)) & 0xFF);
}

std::vector<U_POINT16> ToPoint16(std::span<const TPoint> Points) {
  std::vector<U_POINT16> P;
  P.reserve(Points.size());
  for (const TPoint& Q : Points) P.push_back(Point16(Q.X, Q.Y));
  return P;
}

class TWmfWriter final : public TMetafileDevice {
 public:
  TWmfWriter(const QString& FileName, int Width, int Height)
      : TMetafileDevice(FileName, Width, Height, WmfLimit) {
    if (wmf_htable_create(32, 32, &FHandles) != 0) Fail();
  }
  ~TWmfWriter() override {
    if (FHandles) wmf_htable_free(&FHandles);
  }

 protected:
  void BeginPicture() override {
    U_PAIRF* Size =
        U_PAIRF_set(static_cast<float>(Width() / 96.0), static_cast<float>(Height() / 96.0));
    char* Header = Size ? U_WMRHEADER_set(Size, 96) : nullptr;
    std::free(Size);
    if (!Header) {
      Fail();
      return;
    }
    // The placeable header followed by the standard one; their sizes are fixed.
    FOut.append(Header, PlaceableSize + 18);
    std::free(Header);
    Add(U_WMRSETMAPMODE_set(U_MM_ANISOTROPIC));
    Add(U_WMRSETWINDOWORG_set(Point16(0, 0)));
    Add(U_WMRSETWINDOWEXT_set(Point16(Width(), Height())));
  }

  QByteArray EndPicture() override {
    Add(U_WMREOF_set());
    if (FOut.size() < PlaceableSize + 18) {
      Fail();
      return {};
    }
    PutU16(FOut, BoundsAt, 0);
    PutU16(FOut, BoundsAt + 2, 0);
    PutU16(FOut, BoundsAt + 4, static_cast<unsigned>(Width()));
    PutU16(FOut, BoundsAt + 6, static_cast<unsigned>(Height()));
    PutU16(FOut, InchAt, 96);
    unsigned Sum = 0;
    for (int I = 0; I < ChecksumAt; I += 2)
      Sum ^= static_cast<unsigned char>(FOut[I]) | (static_cast<unsigned char>(FOut[I + 1]) << 8);
    PutU16(FOut, ChecksumAt, Sum);
    PutU32(FOut, SizeAt, static_cast<uint32_t>((FOut.size() - PlaceableSize) / 2));
    PutU16(FOut, ObjectsAt, FHandles ? FHandles->peak : 0);
    PutU32(FOut, MaxRecordAt, FLargest);
    PutU16(FOut, PlaceableSize + 16, 0);
    return FOut;
  }

  void WriteSaveDC() override { Add(U_WMRSAVEDC_set()); }
  void WriteRestoreDC() override { Add(U_WMRRESTOREDC_set(-1)); }

  void DeleteObjects() override {
    for (uint32_t* H : {&FPenHandle, &FBrushHandle, &FFontHandle}) {
      if (*H != NoObject) Add(wdeleteobject_set(H, FHandles));
      *H = NoObject;
    }
  }

  void WritePen(const TPenData& Pen) override {
    uint32_t H = NoObject;
    Add(wcreatepenindirect_set(
        &H, FHandles,
        U_PEN_set(static_cast<uint16_t>(MetafilePenStyle(Pen.Style)),
                  static_cast<uint16_t>(Pen.Width), MetafileColorRef(Pen.Color))));
    Replace(H, FPenHandle);
  }

  void WriteBrush(const TBrushData& Brush) override {
    uint32_t H = NoObject;
    if (Brush.Style != bsClear && !Brush.Bitmap.isNull()) {
      const TDib Dib = MakeDib(Brush.Bitmap, 256);
      Add(wcreatedibpatternbrush_srcdib_set(
          &H, FHandles, U_DIB_RGB_COLORS,
          reinterpret_cast<const U_BITMAPINFO*>(Dib.Info.constData()),
          static_cast<uint32_t>(Dib.Bits.size()), Dib.Bits.constData()));
    } else if (Brush.Style == bsClear) {
      Add(wcreatebrushindirect_set(&H, FHandles,
                                   U_WLOGBRUSH_set(U_BS_NULL, MetafileColorRef(clBlack), 0)));
    } else if (Brush.Style == bsSolid) {
      Add(wcreatebrushindirect_set(&H, FHandles,
                                   U_WLOGBRUSH_set(U_BS_SOLID, MetafileColorRef(Brush.Color), 0)));
    } else {
      Add(wcreatebrushindirect_set(
          &H, FHandles,
          U_WLOGBRUSH_set(U_BS_HATCHED, MetafileColorRef(Brush.Color),
                          static_cast<uint16_t>(MetafileHatchStyle(Brush.Style)))));
    }
    Replace(H, FBrushHandle);
  }

  void WriteFont(const TFontData& Font) override {
    char Face[32] = {};
    const std::string Name = ToCp1252(Font.Name);
    std::memcpy(Face, Name.data(), std::min<size_t>(Name.size(), sizeof Face - 1));
    U_FONT* F = U_FONT_set(
        static_cast<int16_t>(std::clamp(Font.Height, -WmfLimit, WmfLimit)), 0,
        static_cast<int16_t>(Font.Escapement % 3600), static_cast<int16_t>(Font.Escapement % 3600),
        Font.Style.Contains(fsBold) ? U_FW_BOLD : U_FW_NORMAL,
        Font.Style.Contains(fsItalic) ? 1 : 0, Font.Style.Contains(fsUnderline) ? 1 : 0,
        Font.Style.Contains(fsStrikeOut) ? 1 : 0,
        static_cast<uint8_t>(std::clamp(Font.Charset, 0, 255)), 0, 0, 0,
        Font.Pitch == fpFixed      ? 1
        : Font.Pitch == fpVariable ? 2
                                   : 0,
        Face);
    if (!F) {
      Fail();
      return;
    }
    uint32_t H = NoObject;
    Add(wcreatefontindirect_set(&H, FHandles, F));
    std::free(F);
    Replace(H, FFontHandle);
  }

  bool RotatedTextFromBaseline() const override { return true; }

  void WriteTextAlign(unsigned Align) override {
    Add(U_WMRSETTEXTALIGN_set(static_cast<uint16_t>(Align)));
  }
  void WriteBackMode(TBackMode Mode) override {
    Add(U_WMRSETBKMODE_set(Mode == bmOpaque ? U_OPAQUE : U_TRANSPARENT));
  }
  void WriteBackColor(TColor Color) override { Add(U_WMRSETBKCOLOR_set(MetafileColorRef(Color))); }
  void WriteTextColor(TColor Color) override {
    Add(U_WMRSETTEXTCOLOR_set(MetafileColorRef(Color)));
  }
  void WritePolyFillMode(TPolyFillMode Mode) override {
    Add(U_WMRSETPOLYFILLMODE_set(Mode == pfWinding ? U_WINDING : U_ALTERNATE));
  }

  void WriteIntersectClip(const TRect& R) override { Add(U_WMRINTERSECTCLIPRECT_set(Rect16(R))); }
  void WriteExcludeClip(const TRect& R) override { Add(U_WMREXCLUDECLIPRECT_set(Rect16(R))); }

  void WritePolyline(std::span<const TPoint> Points) override {
    // Pieces share their end points, so the line stays unbroken.
    for (size_t First = 0; First + 1 < Points.size(); First += MaxRecordPoints - 1) {
      const size_t N = std::min(MaxRecordPoints, Points.size() - First);
      const std::vector<U_POINT16> P = ToPoint16(Points.subspan(First, N));
      Add(U_WMRPOLYLINE_set(static_cast<uint16_t>(P.size()), P.data()));
    }
  }

  void WritePolygon(std::span<const TPoint> Points) override {
    std::vector<TPoint> Kept;
    Kept.reserve(Points.size());
    for (const TPoint& P : Points)
      if (Kept.empty() || !(Kept.back() == P)) Kept.push_back(P);
    if (Kept.size() > MaxRecordPoints) {
      // A polygon cannot be split without changing its fill; keep every n-th corner.
      std::vector<TPoint> Thin;
      const double Step = static_cast<double>(Kept.size()) / MaxRecordPoints;
      for (size_t I = 0; I < MaxRecordPoints; ++I)
        Thin.push_back(Kept[static_cast<size_t>(static_cast<double>(I) * Step)]);
      Kept = std::move(Thin);
    }
    const std::vector<U_POINT16> P = ToPoint16(Kept);
    Add(U_WMRPOLYGON_set(static_cast<uint16_t>(P.size()), P.data()));
  }

  void WriteShape(TCanvasOpKind Kind, const TRect& R, TSize Corner, TPoint Start,
                  TPoint End) override {
    const U_RECT16 Box = Rect16(R);
    const U_POINT16 S = Point16(Start.X, Start.Y);
    const U_POINT16 E = Point16(End.X, End.Y);
    switch (Kind) {
      case coEllipse:
        Add(U_WMRELLIPSE_set(Box));
        break;
      case coRoundRect:
        Add(U_WMRROUNDRECT_set(static_cast<int16_t>(Corner.cx), static_cast<int16_t>(Corner.cy),
                               Box));
        break;
      case coArc:
        Add(U_WMRARC_set(S, E, Box));
        break;
      case coPie:
        Add(U_WMRPIE_set(S, E, Box));
        break;
      case coChord:
        Add(U_WMRCHORD_set(S, E, Box));
        break;
      default:
        Add(U_WMRRECTANGLE_set(Box));
        break;
    }
  }

  void WriteText(TPoint At, const QString& Text, unsigned Options, const TRect& R,
                 const TFontData& Font) override {
    std::string Bytes = ToCp1252(Text);
    std::vector<int> Advances = TMetafileDevice::Advances(Text, Font, true);
    if (static_cast<qsizetype>(Bytes.size()) > MaxTextBytes) Bytes.resize(MaxTextBytes);
    Advances.resize(Bytes.size(), 0);
    std::vector<int16_t> Dx;
    Dx.reserve(Advances.size() + 1);
    for (int A : Advances) Dx.push_back(static_cast<int16_t>(std::clamp(A, -WmfLimit, WmfLimit)));
    Dx.push_back(0);
    Bytes.push_back('\0');
    Add(U_WMREXTTEXTOUT_set(Point16(At.X, At.Y), static_cast<int16_t>(Bytes.size() - 1),
                            static_cast<uint16_t>(Options), Bytes.data(), Dx.data(),
                            Options ? Rect16(R) : Rect16(0, 0, 0, 0)));
  }

  void WritePixel(TPoint At, TColor Color) override {
    Add(U_WMRSETPIXEL_set(MetafileColorRef(Color), Point16(At.X, At.Y)));
  }

  void WriteImage(const TRect& R, const QImage& Image) override {
    const TDib Dib = MakeDib(Image, WmfLimit);
    Add(U_WMRSTRETCHDIB_set(
        Point16(R.Left, R.Top),
        Point16(std::min(R.Right - R.Left, WmfLimit), std::min(R.Bottom - R.Top, WmfLimit)),
        Point16(0, 0), Point16(Dib.Width, Dib.Height), U_DIB_RGB_COLORS, U_SRCCOPY,
        reinterpret_cast<const U_BITMAPINFO*>(Dib.Info.constData()),
        static_cast<uint32_t>(Dib.Bits.size()), Dib.Bits.constData()));
  }

 private:
  void Add(char* Record) {
    if (!Record) {
      Fail();
      return;
    }
    const uint32_t Size = U_wmr_size(reinterpret_cast<const U_METARECORD*>(Record));
    if (!Failed()) {
      FOut.append(Record, static_cast<qsizetype>(Size));
      FLargest = std::max(FLargest, Size / 2);
    }
    std::free(Record);
  }

  void Replace(uint32_t New, uint32_t& Current) {
    if (New == NoObject) {
      Fail();
      return;
    }
    Add(wselectobject_set(New, FHandles));
    if (Current != NoObject) Add(wdeleteobject_set(&Current, FHandles));
    Current = New;
  }

  QByteArray FOut;
  uint32_t FLargest = 0;
  WMFHANDLES* FHandles = nullptr;
  uint32_t FPenHandle = NoObject;
  uint32_t FBrushHandle = NoObject;
  uint32_t FFontHandle = NoObject;
};

}  // namespace

std::unique_ptr<TMetafileDevice> CreateWmfDevice(const QString& FileName, int Width, int Height) {
  return std::make_unique<TWmfWriter>(FileName, Width, Height);
}
