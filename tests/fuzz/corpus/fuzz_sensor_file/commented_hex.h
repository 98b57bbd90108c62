#define SENSOR_Q3311_DPI_100	0x1A //code
