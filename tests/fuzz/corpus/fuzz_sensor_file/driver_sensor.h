/*
 * Sensor features and DPI codes of the Quorix One mice, read by the
 * configuration program when it starts. One definition a line: "#define",
 * a blank, the name, a tab and the value (a comment after the value is
 * written as a blank and "//" with no blank inside).
 *
 * Feature lists name the sensors (the Sensor key of the catalogue) that
 * offer a feature, separated by commas, without blanks.
 */
#ifndef DRIVER_SENSOR_H
#define DRIVER_SENSOR_H

/* Sensor features */
#define SUPPORT_SENSOR_MODE_SEL	3950,3395
#define SUPPORT_LOD_CAL	3950,Q3311
#define SUPPORT_RIPPLE	3395,Q3311
#define SUPPORT_FIXLINE	3950,3395
#define SUPPORT_MOTION_SYNC	3950,3395
#define SUPPORT_MOUSEPAD_CAL	3950

/* Sensors described in this file */
#define SENSOR_COUNT	3 //3950,3395,Q3311
#define SENSOR_3950_MAX_DPI	30000 //dpi
#define SENSOR_3395_MAX_DPI	26000 //dpi
#define SENSOR_Q3311_MAX_DPI	25600 //dpi

/*
 * The sensors 3950 and 3395 take the DPI as a code of 50 DPI steps and need
 * no table. Q3311 takes the codes below, one per 100 DPI; the values above
 * 12800 DPI are set as half the DPI with the doubling flag.
 */
#define SENSOR_Q3311_DPI_100	0x01
#define SENSOR_Q3311_DPI_200	0x02
#define SENSOR_Q3311_DPI_300	0x03
#define SENSOR_Q3311_DPI_400	0x04
#define SENSOR_Q3311_DPI_500	0x05
#define SENSOR_Q3311_DPI_600	0x06
#define SENSOR_Q3311_DPI_700	0x07
#define SENSOR_Q3311_DPI_800	0x08
#define SENSOR_Q3311_DPI_900	0x09
#define SENSOR_Q3311_DPI_1000	0x0A
#define SENSOR_Q3311_DPI_1100	0x0B
#def