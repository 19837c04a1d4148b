#include "pictures/pictures.h"
namespace velko::art {
Canvas paintShopStreet(Studio&, const PictureEntry& e) { Canvas c(e.width, e.height); c.fillAll(paint::hex(0x404040)); return c; }
Canvas paintOfficeVeranda(Studio&, const PictureEntry& e) { Canvas c(e.width, e.height); c.fillAll(paint::hex(0x404040)); return c; }
Canvas paintStamp(Studio&, const PictureEntry& e) { Canvas c(e.width, e.height); c.fillAll(paint::hex(0x404040)); return c; }
Canvas paintPreview(Studio&, const PictureEntry& e) { Canvas c(e.width, e.height); c.fillAll(paint::hex(0x404040)); return c; }
Canvas paintLogo(Studio&, const PictureEntry& e) { Canvas c(e.width, e.height); c.fillAll(paint::hex(0x404040)); return c; }
Canvas paintTitle(Studio&, const PictureEntry& e) { Canvas c(e.width, e.height); c.fillAll(paint::hex(0x404040)); return c; }
Canvas paintExtras(Studio&, const PictureEntry& e) { Canvas c(e.width, e.height); c.fillAll(paint::hex(0x404040)); return c; }
Canvas paintGallery(Studio&, const PictureEntry& e) { Canvas c(e.width, e.height); c.fillAll(paint::hex(0x404040)); return c; }
Canvas paintNoticePage(Studio&, const PictureEntry& e) { Canvas c(e.width, e.height); c.fillAll(paint::hex(0x404040)); return c; }
Canvas paintTitleButtons(Studio&, const PictureEntry& e) { Canvas c(e.width, e.height); c.fillAll(paint::hex(0x404040)); return c; }
Canvas paintExtrasButtons(Studio&, const PictureEntry& e) { Canvas c(e.width, e.height); c.fillAll(paint::hex(0x404040)); return c; }
Canvas paintGalleryButtons(Studio&, const PictureEntry& e) { Canvas c(e.width, e.height); c.fillAll(paint::hex(0x404040)); return c; }
Canvas paintWallShingoCalendar(Studio&, const PictureEntry& e) { Canvas c(e.width, e.height); c.fillAll(paint::hex(0x404040)); return c; }
Canvas paintWallSeinaCalendar(Studio&, const PictureEntry& e) { Canvas c(e.width, e.height); c.fillAll(paint::hex(0x404040)); return c; }
Canvas paintWallShingo(Studio&, const PictureEntry& e) { Canvas c(e.width, e.height); c.fillAll(paint::hex(0x404040)); return c; }
Canvas paintWallSeina(Studio&, const PictureEntry& e) { Canvas c(e.width, e.height); c.fillAll(paint::hex(0x404040)); return c; }
}
