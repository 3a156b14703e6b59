#pragma once
// What librx9100.so exports; everything else in it stays hidden. Two surfaces, marked
// apart so each can be counted and kept small:
//  - RX9100_API: the host interface (the driver object, the sensor interface, the records,
//    the capability lists, the settings store folder, window messages and the services a
//    host installs);
//  - RX9100_RENDERER_API: what a dialog renderer plugs into (the toolkit-neutral dialog
//    and control models, the dialog runner and the renderer installation).
#define RX9100_API __attribute__((visibility("default")))
#define RX9100_RENDERER_API __attribute__((visibility("default")))
// A member of an exported class that only the module itself calls: kept out of both.
#define RX9100_INTERNAL __attribute__((visibility("hidden")))
