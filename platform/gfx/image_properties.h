// The keys of the EXIF and GPS dictionaries of image metadata, as the image-file layer names them: the
// standard tag names (a few, such as the auxiliary lens keys, without their group's prefix).
#pragma once

// X(Name, "key") for every EXIF key, then for every GPS key, in their usual order.
#define GFX_EXIF_PROPERTIES(X)                                                                                         \
    X(ExposureTime, "ExposureTime")                                                                                    \
    X(FNumber, "FNumber")                                                                                              \
    X(ExposureProgram, "ExposureProgram")                                                                              \
    X(SpectralSensitivity, "SpectralSensitivity")                                                                      \
    X(ISOSpeedRatings, "ISOSpeedRatings")                                                                              \
    X(OECF, "OECF")                                                                                                    \
    X(Version, "ExifVersion")                                                                                          \
    X(DateTimeOriginal, "DateTimeOriginal")                                                                            \
    X(DateTimeDigitized, "DateTimeDigitized")                                                                          \
    X(ComponentsConfiguration, "ComponentsConfiguration")                                                              \
    X(CompressedBitsPerPixel, "CompressedBitsPerPixel")                                                                \
    X(ShutterSpeedValue, "ShutterSpeedValue")                                                                          \
    X(ApertureValue, "ApertureValue")                                                                                  \
    X(BrightnessValue, "BrightnessValue")                                                                              \
    X(ExposureBiasValue, "ExposureBiasValue")                                                                          \
    X(MaxApertureValue, "MaxApertureValue")                                                                            \
    X(SubjectDistance, "SubjectDistance")                                                                              \
    X(MeteringMode, "MeteringMode")                                                                                    \
    X(LightSource, "LightSource")                                                                                      \
    X(Flash, "Flash")                                                                                                  \
    X(FocalLength, "FocalLength")                                                                                      \
    X(SubjectArea, "SubjectArea")                                                                                      \
    X(MakerNote, "MakerNote")                                                                                          \
    X(UserComment, "UserComment")                                                                                      \
    X(SubsecTime, "SubsecTime")                                                                                        \
    X(SubsecTimeOrginal, "SubsecTimeOriginal")                                                                         \
    X(SubsecTimeDigitized, "SubsecTimeDigitized")                                                                      \
    X(FlashPixVersion, "FlashPixVersion")                                                                              \
    X(ColorSpace, "ColorSpace")                                                                                        \
    X(PixelXDimension, "PixelXDimension")                                                                              \
    X(PixelYDimension, "PixelYDimension")                                                                              \
    X(RelatedSoundFile, "RelatedSoundFile")                                                                            \
    X(FlashEnergy, "FlashEnergy")                                                                                      \
    X(SpatialFrequencyResponse, "SpatialFrequencyResponse")                                                            \
    X(FocalPlaneXResolution, "FocalPlaneXResolution")                                                                  \
    X(FocalPlaneYResolution, "FocalPlaneYResolution")                                                                  \
    X(FocalPlaneResolutionUnit, "FocalPlaneResolutionUnit")                                                            \
    X(SubjectLocation, "SubjectLocation")                                                                              \
    X(ExposureIndex, "ExposureIndex")                                                                                  \
    X(SensingMethod, "SensingMethod")                                                                                  \
    X(FileSource, "FileSource")                                                                                        \
    X(SceneType, "SceneType")                                                                                          \
    X(CFAPattern, "CFAPattern")                                                                                        \
    X(CustomRendered, "CustomRendered")                                                                                \
    X(ExposureMode, "ExposureMode")                                                                                    \
    X(WhiteBalance, "WhiteBalance")                                                                                    \
    X(DigitalZoomRatio, "DigitalZoomRatio")                                                                            \
    X(FocalLenIn35mmFilm, "FocalLenIn35mmFilm")                                                                        \
    X(SceneCaptureType, "SceneCaptureType")                                                                            \
    X(GainControl, "GainControl")                                                                                      \
    X(Contrast, "Contrast")                                                                                            \
    X(Saturation, "Saturation")                                                                                        \
    X(Sharpness, "Sharpness")                                                                                          \
    X(DeviceSettingDescription, "DeviceSettingDescription")                                                            \
    X(SubjectDistRange, "SubjectDistRange")                                                                            \
    X(ImageUniqueID, "ImageUniqueID")                                                                                  \
    X(Gamma, "Gamma")                                                                                                  \
    X(CameraOwnerName, "CameraOwnerName")                                                                              \
    X(BodySerialNumber, "BodySerialNumber")                                                                            \
    X(LensSpecification, "LensSpecification")                                                                          \
    X(LensMake, "LensMake")                                                                                            \
    X(LensModel, "LensModel")                                                                                          \
    X(LensSerialNumber, "LensSerialNumber")                                                                            \
    X(AuxLensInfo, "LensInfo")                                                                                         \
    X(AuxLensModel, "LensModel")                                                                                       \
    X(AuxSerialNumber, "SerialNumber")                                                                                 \
    X(AuxLensID, "LensID")                                                                                             \
    X(AuxLensSerialNumber, "LensSerialNumber")                                                                         \
    X(AuxImageNumber, "ImageNumber")                                                                                   \
    X(AuxFlashCompensation, "FlashCompensation")                                                                       \
    X(AuxOwnerName, "OwnerName")                                                                                       \
    X(AuxFirmware, "Firmware")

#define GFX_GPS_PROPERTIES(X)                                                                                          \
    X(Version, "GPSVersion")                                                                                           \
    X(LatitudeRef, "LatitudeRef")                                                                                      \
    X(Latitude, "Latitude")                                                                                            \
    X(LongitudeRef, "LongitudeRef")                                                                                    \
    X(Longitude, "Longitude")                                                                                          \
    X(AltitudeRef, "AltitudeRef")                                                                                      \
    X(Altitude, "Altitude")                                                                                            \
    X(TimeStamp, "TimeStamp")                                                                                          \
    X(Satellites, "Satellites")                                                                                        \
    X(Status, "Status")                                                                                                \
    X(MeasureMode, "MeasureMode")                                                                                      \
    X(DOP, "DOP")                                                                                                      \
    X(SpeedRef, "SpeedRef")                                                                                            \
    X(Speed, "Speed")                                                                                                  \
    X(TrackRef, "TrackRef")                                                                                            \
    X(Track, "Track")                                                                                                  \
    X(ImgDirectionRef, "ImgDirectionRef")                                                                              \
    X(ImgDirection, "ImgDirection")                                                                                    \
    X(MapDatum, "MapDatum")                                                                                            \
    X(DestLatitudeRef, "DestLatitudeRef")                                                                              \
    X(DestLatitude, "DestLatitude")                                                                                    \
    X(DestLongitudeRef, "DestLongitudeRef")                                                                            \
    X(DestLongitude, "DestLongitude")                                                                                  \
    X(DestBearingRef, "DestBearingRef")                                                                                \
    X(DestBearing, "DestBearing")                                                                                      \
    X(DestDistanceRef, "DestDistanceRef")                                                                              \
    X(DestDistance, "DestDistance")                                                                                    \
    X(ProcessingMethod, "ProcessingMethod")                                                                            \
    X(AreaInformation, "AreaInformation")                                                                              \
    X(DateStamp, "DateStamp")                                                                                          \
    X(Differental, "Differental")

namespace gfx::imageprops {

#define GFX_DECLARE_EXIF(name, key) inline constexpr const char* exif##name = key;
#define GFX_DECLARE_GPS(name, key) inline constexpr const char* gps##name = key;
GFX_EXIF_PROPERTIES(GFX_DECLARE_EXIF)
GFX_GPS_PROPERTIES(GFX_DECLARE_GPS)
#undef GFX_DECLARE_EXIF
#undef GFX_DECLARE_GPS

}  // namespace gfx::imageprops
