<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CalibrationTable</name>
    <message>
        <source>В таблице не может быть менее 20 строк</source>
        <translation>The table cannot have fewer than 20 rows</translation>
    </message>
    <message>
        <source>Строка %1: значение &quot;%2&quot; не является числом</source>
        <translation>Row %1: the value &quot;%2&quot; is not a number</translation>
    </message>
    <message>
        <source>Строка %1: значение %2 вне диапазона 0…65535</source>
        <translation>Row %1: the value %2 is outside the range 0…65535</translation>
    </message>
</context>
<context>
    <name>CalibrationCsv</name>
    <message>
        <source>Строка %1: ожидаются показания одного или двух датчиков и объём через запятую, а не %2</source>
        <translation>Line %1: expected the readings of one or two sensors and the volume, separated by commas, not %2</translation>
    </message>
    <message>
        <source>Строка %1: объём %2 не является числом</source>
        <translation>Line %1: the volume %2 is not a number</translation>
    </message>
    <message>
        <source>Строка %1: показание %2 не является числом</source>
        <translation>Line %1: the reading %2 is not a number</translation>
    </message>
</context>
<context>
    <name>CalibrationRun</name>
    <message>
        <source>Сначала завершите начатую тарировку</source>
        <translation>Finish the calibration in progress first</translation>
    </message>
</context>
<context>
    <name>CalibrationWorkflow</name>
    <message>
        <source>Не удалось прочитать файл
%1
%2</source>
        <translation>Failed to read the file
%1
%2</translation>
    </message>
    <message>
        <source>Файл не загружен
%1
%2</source>
        <translation>The file was not loaded
%1
%2</translation>
    </message>
    <message>
        <source>Не удалось записать файл тарировки</source>
        <translation>Failed to write the calibration file</translation>
    </message>
    <message>
        <source>Галлоны</source>
        <translation>Gallons</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Liters</translation>
    </message>
    <message>
        <source>Сохранить файл</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>Не удалось создать файл
%1</source>
        <translation>Failed to create the file
%1</translation>
    </message>
    <message>
        <source>Добавить датчик</source>
        <translation>Add sensor</translation>
    </message>
    <message>
        <source>Возможно тарировка закончена.Или проверьте параметры тарировки
Шаг тарировки должен быть меньше остатка топлива</source>
        <translation>The calibration may be finished. Or check the calibration parameters
The calibration step must be less than the remaining fuel</translation>
    </message>
    <message>
        <source>Начать</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Вы хотите завершить тарировку?</source>
        <translation>Do you want to finish the calibration?</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Выберете файл для пересчёта</source>
        <translation>Select a file to convert</translation>
    </message>
    <message>
        <source>Заливом</source>
        <translation>Filling</translation>
    </message>
    <message>
        <source>Сливом</source>
        <translation>Draining</translation>
    </message>
    <message>
        <source>ВЕРНУТЬСЯ</source>
        <translation>BACK</translation>
    </message>
</context>
<context>
    <name>Configurator</name>
    <message>
        <source>Ожидаем ответа от беспроводного датчика</source>
        <translation>Waiting for the wireless sensor to answer</translation>
    </message>
    <message>
        <source>Волмар Конфигуратор</source>
        <translation>Volmar Configurator</translation>
    </message>
    <message>
        <source>ДУТ</source>
        <translation>FLS</translation>
    </message>
    <message>
        <source>Серийный номер:</source>
        <translation>Serial number:</translation>
    </message>
    <message>
        <source>Версия ПО:</source>
        <translation>FW version:</translation>
    </message>
    <message>
        <source>Требуется калибровка</source>
        <translation>Calibration required</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Частота, Гц</source>
        <translation>Frequency, Hz</translation>
    </message>
    <message>
        <source>Напряжение</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <source>Температура</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Опросить адрес</source>
        <translation>Poll address</translation>
    </message>
    <message>
        <source>Устройства</source>
        <translation>Devices</translation>
    </message>
    <message>
        <source>Режим</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Сглаживание</source>
        <translation>Smoothing</translation>
    </message>
    <message>
        <source>Макс. уровень</source>
        <translation>Max. level</translation>
    </message>
    <message>
        <source>Мин. уровень</source>
        <translation>Min. level</translation>
    </message>
    <message>
        <source>Сетевой адрес</source>
        <translation>Network address</translation>
    </message>
    <message>
        <source>Базовая станция</source>
        <translation>Base station</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>FW version</translation>
    </message>
    <message>
        <source>Скопировано в буфер обмена</source>
        <translation>Copied to clipboard</translation>
    </message>
    <message>
        <source>Сигнал</source>
        <translation>Signal</translation>
    </message>
    <message>
        <source>Батарея</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>Датчик 1</source>
        <translation>Sensor 1</translation>
    </message>
    <message>
        <source>Датчик 2</source>
        <translation>Sensor 2</translation>
    </message>
    <message>
        <source>Датчик 3</source>
        <translation>Sensor 3</translation>
    </message>
    <message>
        <source>Датчик 4</source>
        <translation>Sensor 4</translation>
    </message>
    <message>
        <source>ТАРИРОВКА</source>
        <translation>CALIBRATION</translation>
    </message>
    <message>
        <source>Шаг,</source>
        <translation>Step,</translation>
    </message>
    <message>
        <source>л</source>
        <translation>L</translation>
    </message>
    <message>
        <source>Заливом</source>
        <translation>Filling</translation>
    </message>
    <message>
        <source>Сливом</source>
        <translation>Draining</translation>
    </message>
    <message>
        <source>Начать</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Добавить порцию</source>
        <translation>Add portion</translation>
    </message>
    <message>
        <source>Удалить порцию</source>
        <translation>Delete portion</translation>
    </message>
    <message>
        <source>Возобновить</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>Завершить</source>
        <translation>Finish</translation>
    </message>
    <message>
        <source>График</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>ВЕРНУТЬСЯ</source>
        <translation>BACK</translation>
    </message>
    <message>
        <source>Угол,град.</source>
        <translation>Angle,deg.</translation>
    </message>
    <message>
        <source>Установки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Верх</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>Низ</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>Задержка вкл.</source>
        <translation>On delay</translation>
    </message>
    <message>
        <source>Задержка выкл.</source>
        <translation>Off delay</translation>
    </message>
    <message>
        <source>Опросить сет. адрес</source>
        <translation>Poll net. address</translation>
    </message>
    <message>
        <source>Устройства в сети</source>
        <translation>Devices on network</translation>
    </message>
    <message>
        <source>Режим 1</source>
        <translation>Mode 1</translation>
    </message>
    <message>
        <source>Режим 2</source>
        <translation>Mode 2</translation>
    </message>
    <message>
        <source>Режим 3</source>
        <translation>Mode 3</translation>
    </message>
    <message>
        <source>Отвал</source>
        <translation>Blade</translation>
    </message>
    <message>
        <source>Ковш</source>
        <translation>Bucket</translation>
    </message>
    <message>
        <source>Мастер</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>Установка нуля</source>
        <translation>Set zero</translation>
    </message>
    <message>
        <source>Удалить датчик</source>
        <translation>Remove sensor</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Liters</translation>
    </message>
    <message>
        <source>Галлоны</source>
        <translation>Gallons</translation>
    </message>
    <message>
        <source>СЧИТЫВАТЕЛЬ МЕТОК</source>
        <translation>TAG READER</translation>
    </message>
    <message>
        <source>Установка режима</source>
        <translation>Mode setting</translation>
    </message>
    <message>
        <source>Режим Считыватель</source>
        <translation>Reader mode</translation>
    </message>
    <message>
        <source>Режим Метка</source>
        <translation>Tag mode</translation>
    </message>
    <message>
        <source>Установить</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Установить сер номер</source>
        <translation>Set serial number</translation>
    </message>
    <message>
        <source>ID метки</source>
        <translation>Tag ID</translation>
    </message>
    <message>
        <source>Десятичный формат</source>
        <translation>Decimal format</translation>
    </message>
    <message>
        <source>Считать</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Сменить сет.номер</source>
        <translation>Change network no.</translation>
    </message>
    <message>
        <source>ДИСТАНЦИОННОЕ УПРАВЛЕНИЕ</source>
        <translation>REMOTE CONTROL</translation>
    </message>
    <message>
        <source>Команда</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Удаленнный сетевой номер</source>
        <translation>Remote network number</translation>
    </message>
    <message>
        <source>Введите числовой пароль</source>
        <translation>Enter a numeric password</translation>
    </message>
    <message>
        <source>Выберете уровень фильтрации</source>
        <translation>Select the filtering level</translation>
    </message>
    <message>
        <source>Выберете режим</source>
        <translation>Select the mode</translation>
    </message>
    <message>
        <source>Скопируйте строку и вставьте её в файл для отправки</source>
        <translation>Copy the string and paste it into the file to be sent</translation>
    </message>
    <message>
        <source>Сгенерировать</source>
        <translation>Generate</translation>
    </message>
    <message>
        <source>Расшифровать ответ</source>
        <translation>Decode response</translation>
    </message>
    <message>
        <source>ИНЖЕНЕРНЫЕ НАСТРОЙКИ</source>
        <translation>ENGINEERING SETTINGS</translation>
    </message>
    <message>
        <source>Инверсия индикатора</source>
        <translation>Indicator inversion</translation>
    </message>
    <message>
        <source>Режим передачи угла наклона</source>
        <translation>Tilt angle transmission mode</translation>
    </message>
    <message>
        <source>Режим Master</source>
        <translation>Master mode</translation>
    </message>
    <message>
        <source>Отключить термокомпенсацию</source>
        <translation>Disable temperature compensation</translation>
    </message>
    <message>
        <source>Экодрайвинг</source>
        <translation>Eco-driving</translation>
    </message>
    <message>
        <source>Передавать cерийный номер</source>
        <translation>Transmit serial number</translation>
    </message>
    <message>
        <source>Порог срабатывания лампы</source>
        <translation>Warning lamp threshold</translation>
    </message>
    <message>
        <source>  Установить  </source>
        <translation>  Set  </translation>
    </message>
    <message>
        <source>Ручной ввод Полный/Пустой</source>
        <translation>Manual Full/Empty entry</translation>
    </message>
    <message>
        <source>Калибровать 
 горизонтальное
положение</source>
        <translation>Calibrate 
 horizontal
position</translation>
    </message>
    <message>
        <source>Пересчитать в литры / %</source>
        <translation>Convert to liters / %</translation>
    </message>
    <message>
        <source>Сетевой адрес базы</source>
        <translation>Base network address</translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Изменить S/N базы</source>
        <translation>Change base S/N</translation>
    </message>
    <message>
        <source>ОБНОВЛЕНИЕ ПРОШИВКИ</source>
        <translation>FIRMWARE UPDATE</translation>
    </message>
    <message>
        <source>Обновить прошивку базы</source>
        <translation>Update base firmware</translation>
    </message>
    <message>
        <source>Обновить прошивку датчика</source>
        <translation>Update sensor firmware</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Connect a sensor</translation>
    </message>
    <message>
        <source>Волмар Конфигуратор v1.0.0.%1</source>
        <translation>Volmar Configurator v1.0.0.%1</translation>
    </message>
    <message>
        <source>Нет доступных ком-портов
Выберите другой порт</source>
        <translation>No COM ports available
Select another port</translation>
    </message>
    <message>
        <source>Проверьте подключение преобразователя!</source>
        <translation>Check the converter connection!</translation>
    </message>
    <message>
        <source>Обновить прошивку</source>
        <translation>Update firmware</translation>
    </message>
    <message>
        <source>Отменить несохранённые настройки</source>
        <translation>Discard unsaved settings</translation>
    </message>
    <message>
        <source>Загрузить заводские настройки</source>
        <translation>Load factory settings</translation>
    </message>
    <message>
        <source>Инженерное меню</source>
        <translation>Engineering menu</translation>
    </message>
    <message>
        <source>Дистанционное управление</source>
        <translation>Remote control</translation>
    </message>
    <message>
        <source>Безопасность</source>
        <translation>Security</translation>
    </message>
    <message>
        <source>Режим выходного сигнала датчика: цифровой RS-485 (по запросу или периодический), RS-232, аналоговый, частотный или импульсный. Набор режимов зависит от модели подключенного датчика. Выбранный режим отмечается значком изменения и записывается в датчик кнопкой записи параметров или сочетанием клавиш Ctrl+S.</source>
        <translation>Sensor output signal mode: digital RS-485 (on request or periodic), RS-232, analog, frequency or pulse. The available modes depend on the model of the connected sensor. The selected mode is marked with a change icon and is written to the sensor with the write parameters button or the Ctrl+S key combination.</translation>
    </message>
    <message>
        <source>Уровень фильтрации (сглаживания) показаний. Чем больше бак и сильнее колебания топлива при движении, тем выше нужен уровень: «Нет» — без сглаживания, далее «до 200 литров», «от 200 до 1000 литров», «более 1000 литров» и «Тяжёлые условия» — самое сильное сглаживание. У датчиков других моделей уровень задаётся числом от 0 до 15. Тарировку и установку точек «Полный» и «Пустой» рекомендуется выполнять при отключенном сглаживании.</source>
        <translation>Filtering (smoothing) level of the readings. The larger the tank and the stronger the fuel sloshing while driving, the higher the level should be: &quot;None&quot; means no smoothing, followed by &quot;up to 200 liters&quot;, &quot;200 to 1000 liters&quot;, &quot;over 1000 liters&quot; and &quot;Heavy conditions&quot;, the strongest smoothing. On other sensor models the level is set as a number from 0 to 15. It is recommended to perform calibration and set the &quot;Full&quot; and &quot;Empty&quot; points with smoothing disabled.</translation>
    </message>
    <message>
        <source>Сетевой адрес датчика на линии RS-485. Датчики на одной линии должны иметь разные адреса. Новый адрес записывается вместе с остальными параметрами, после чего программа заново ищет датчики на линии.</source>
        <translation>Network address of the sensor on the RS-485 line. Sensors on the same line must have different addresses. The new address is written together with the other parameters, after which the program searches for sensors on the line again.</translation>
    </message>
    <message>
        <source>Максимальное значение уровня, которое выдаёт датчик: от 1023 до 4095 (1023 — 10-битное разрешение, 4095 — 12-битное). Переключение доступно на датчиках с версией прошивки не выше 2.5.3 и выполняется после подтверждения; новое значение записывается вместе с остальными параметрами.</source>
        <translation>Maximum level value output by the sensor: from 1023 to 4095 (1023 — 10-bit resolution, 4095 — 12-bit). Switching is available on sensors with firmware version 2.5.3 or earlier and is performed after confirmation; the new value is written together with the other parameters.</translation>
    </message>
    <message>
        <source>Минимальное значение уровня, которое выдаёт датчик, в диапазоне от 0 до 1023; по умолчанию равно 1. Если версия датчика не поддерживает изменение этого значения, программа предупредит об этом.</source>
        <translation>Minimum level value output by the sensor, in the range from 0 to 1023; the default is 1. If the sensor version does not support changing this value, the program will warn you.</translation>
    </message>
    <message>
        <source>Список COM-портов, к которым подключены преобразователи интерфейса (например, USB — RS-485). Порты, занятые другими программами, в список не попадают. Пока ни одно устройство не подключено, список обновляется при наведении на него курсора; во время подключения выбрать другой порт нельзя.</source>
        <translation>List of COM ports to which interface converters (for example, USB — RS-485) are connected. Ports in use by other programs are not listed. While no device is connected, the list is refreshed when you hover the cursor over it; another port cannot be selected while a device is connected.</translation>
    </message>
    <message>
        <source>Сервисное меню: обновление прошивки, отмена несохранённых настроек, загрузка заводских настроек, инженерное меню, дистанционное управление и пароль датчика (пункт «Безопасность»). Большинству пунктов нужен подключенный датчик; «Дистанционное управление» доступно, пока порт закрыт.</source>
        <translation>Service menu: firmware update, discarding unsaved settings, loading factory settings, engineering menu, remote control and the sensor password (the &quot;Security&quot; item). Most items require a connected sensor; &quot;Remote control&quot; is available while the port is closed.</translation>
    </message>
    <message>
        <source>Переход к тарировке бака для подключенного датчика (горячая клавиша F4). Тарировку рекомендуется делать при отключенном сглаживании: если фильтрация включена, программа напомнит об этом.</source>
        <translation>Opens tank calibration for the connected sensor (hotkey F4). Calibration is recommended with smoothing disabled: if filtering is enabled, the program will remind you.</translation>
    </message>
    <message>
        <source>Включает или выключает инверсию индикатора датчика. Команда отправляется в датчик сразу при переключении, отдельная запись не нужна. Если модель датчика не поддерживает функцию, группа неактивна.</source>
        <translation>Turns the sensor indicator inversion on or off. The command is sent to the sensor as soon as the switch is toggled; no separate write is needed. If the sensor model does not support this function, the group is inactive.</translation>
    </message>
    <message>
        <source>Режим передачи угла наклона: датчик дополнительно передаёт угол своего наклона. Команда отправляется в датчик сразу при переключении. Функция доступна для KV610 и датчиков FLS.</source>
        <translation>Tilt angle transmission mode: the sensor additionally transmits its own tilt angle. The command is sent to the sensor as soon as the switch is toggled. This function is available for KV610 and FLS sensors.</translation>
    </message>
    <message>
        <source>Включает или выключает режим Master датчика. Команда отправляется в датчик сразу при переключении. Функция доступна для KV610 и датчиков FLS.</source>
        <translation>Turns the sensor Master mode on or off. The command is sent to the sensor as soon as the switch is toggled. This function is available for KV610 and FLS sensors.</translation>
    </message>
    <message>
        <source>Отключение термокомпенсации — поправки показаний на температуру топлива. Переключатель показывает состояние, считанное из датчика. Без особой необходимости термокомпенсацию отключать не рекомендуется.</source>
        <translation>Disables temperature compensation, i.e. the correction of readings for fuel temperature. The switch shows the state read from the sensor. Disabling temperature compensation is not recommended unless really necessary.</translation>
    </message>
    <message>
        <source>Включает или выключает функцию «Экодрайвинг» датчика. Команда отправляется в датчик сразу при переключении. Функция доступна для KV610 и датчиков FLS.</source>
        <translation>Turns the sensor &quot;Eco-driving&quot; function on or off. The command is sent to the sensor as soon as the switch is toggled. This function is available for KV610 and FLS sensors.</translation>
    </message>
    <message>
        <source>Порог срабатывания лампы аварийного остатка топлива, в процентах. Введите значение и нажмите «Установить»: после подтверждения порог будет записан в датчик.</source>
        <translation>Trigger threshold of the low fuel warning lamp, in percent. Enter a value and click &quot;Set&quot;: after confirmation the threshold will be written to the sensor.</translation>
    </message>
    <message>
        <source>Ручной ввод значений «Полный» и «Пустой». В открывшемся окне введите оба значения и нажмите «Установить». Значение «Пустой» не может быть больше значения «Полный», нулевые значения не принимаются.</source>
        <translation>Manual entry of the &quot;Full&quot; and &quot;Empty&quot; values. In the window that opens, enter both values and click &quot;Set&quot;. The &quot;Empty&quot; value cannot be greater than the &quot;Full&quot; value; zero values are not accepted.</translation>
    </message>
    <message>
        <source>Открывает тарировочную таблицу датчика из 20 точек «уровень — объём». Таблицу можно считать из датчика и записать в него, загрузить из файла CSV или сохранить в файл, а также пересчитать объёмы в проценты.</source>
        <translation>Opens the sensor calibration table of 20 &quot;level — volume&quot; points. The table can be read from the sensor and written to it, loaded from a CSV file or saved to a file, and its volumes can be converted to percent.</translation>
    </message>
    <message>
        <source>Дистанционное управление датчиком, подключенным к бортовому терминалу. Выберите команду и нажмите «Сгенерировать»: полученную строку скопируйте и отправьте на терминал по SMS или через сервер. Ответ терминала с температурой и уровнем можно вставить в ту же строку и расшифровать.</source>
        <translation>Remote control of a sensor connected to an on-board terminal. Select a command and click &quot;Generate&quot;, then copy the resulting string and send it to the terminal by SMS or via the server. The terminal&apos;s response with the temperature and level can be pasted into the same line and decoded.</translation>
    </message>
    <message>
        <source>Шаг тарировки — объём одной порции топлива. По умолчанию 5 при тарировке заливом и 500 при тарировке сливом. Каждая новая порция увеличивает (залив) или уменьшает (слив) объём в таблице на этот шаг.</source>
        <translation>Calibration step — the volume of one fuel portion. The default is 5 for calibration by filling and 500 for calibration by draining. Each new portion increases (filling) or decreases (draining) the volume in the table by this step.</translation>
    </message>
    <message>
        <source>Начинает тарировку: запрашивает имя файла CSV, в котором будет сохраняться таблица, и добавляет в неё столбец датчика с начальной точкой. После добавления первой порции добавить датчик нельзя.</source>
        <translation>Starts calibration: asks for the name of the CSV file in which the table will be saved and adds a sensor column with the initial point to the table. Once the first portion has been added, no more sensors can be added.</translation>
    </message>
    <message>
        <source>Удаляет из тарировочной таблицы столбец последнего добавленного датчика. Если датчик был один, таблица очищается, а следующая тарировка продолжится в том же файле.</source>
        <translation>Removes the column of the last added sensor from the calibration table. If there was only one sensor, the table is cleared and the next calibration will continue in the same file.</translation>
    </message>
    <message>
        <source>Добавляет в таблицу строку: объём, изменённый на шаг тарировки, и текущие показания датчика. Строка сразу дописывается в файл тарировки. Перед нажатием дождитесь, пока показания датчика станут стабильными.</source>
        <translation>Adds a row to the table: the volume changed by the calibration step and the current sensor readings. The row is immediately appended to the calibration file. Before clicking, wait until the sensor readings are stable.</translation>
    </message>
    <message>
        <source>Удаляет последнюю строку в тарировочной таблице</source>
        <translation>Deletes the last row of the calibration table</translation>
    </message>
    <message>
        <source>Завершает тарировку после подтверждения: таблица очищается, работа с файлом тарировки заканчивается. Сохранённую тарировку можно продолжить кнопкой «Возобновить».</source>
        <translation>Finishes calibration after confirmation: the table is cleared and work with the calibration file ends. A saved calibration can be continued with the &quot;Resume&quot; button.</translation>
    </message>
    <message>
        <source>Подключение проводного датчика уровня топлива (KV210, KV260, KV510, KV610). Нажатие открывает выбранный COM-порт и запускает поиск датчиков на линии, повторное нажатие отключает датчик.</source>
        <translation>Connects a wired fuel level sensor (KV210, KV260, KV510, KV610). Clicking opens the selected COM port and starts searching for sensors on the line; clicking again disconnects the sensor.</translation>
    </message>
    <message>
        <source>Устанавливает точку «Пустой»: текущее показание датчика запоминается в нём как показание при пустом баке. Выполняется после подтверждения, горячая клавиша F3. Рекомендуется делать при отключенном сглаживании.</source>
        <translation>Sets the &quot;Empty&quot; point: the current sensor reading is stored in the sensor as the empty tank reading. Performed after confirmation; hotkey F3. Recommended with smoothing disabled.</translation>
    </message>
    <message>
        <source>Устанавливает точку «Полный»: текущее показание датчика запоминается в нём как показание при полном баке. Выполняется после подтверждения, горячая клавиша F2. Рекомендуется делать при отключенном сглаживании.</source>
        <translation>Sets the &quot;Full&quot; point: the current sensor reading is stored in the sensor as the full tank reading. Performed after confirmation; hotkey F2. Recommended with smoothing disabled.</translation>
    </message>
    <message>
        <source>Выбор датчика для опроса, когда на линии их несколько: в списке сетевые адреса найденных датчиков. После выбора программа опрашивает датчик с этим адресом.</source>
        <translation>Selects the sensor to poll when there are several on the line: the list contains the network addresses of the sensors found. After selection, the program polls the sensor with that address.</translation>
    </message>
    <message>
        <source>Температура датчика</source>
        <translation>Sensor temperature</translation>
    </message>
    <message>
        <source>Записывает изменённые параметры в датчик. Изменённые поля отмечаются значком рядом с ними; записать их можно и сочетанием клавиш Ctrl+S. После записи параметры считываются заново: записанные отмечаются зелёным значком, а при расхождении появится просьба повторить запись.</source>
        <translation>Writes the changed parameters to the sensor. Changed fields are marked with an icon next to them; they can also be written with the Ctrl+S key combination. After writing, the parameters are read back: written ones are marked with a green icon, and if there is a mismatch you will be asked to repeat the write.</translation>
    </message>
    <message>
        <source>Выбор подключаемого устройства: проводной датчик уровня топлива или базовая станция BLE с беспроводными датчиками. Нажатие открывает выбранный COM-порт и запускает поиск, выбранная кнопка подсвечивается красным. Повторное нажатие или выбор другого устройства отключает текущее.</source>
        <translation>Selects the device to connect: a wired fuel level sensor or a BLE base station with wireless sensors. Clicking opens the selected COM port and starts the search; the selected button is highlighted in red. Clicking again or selecting another device disconnects the current one.</translation>
    </message>
    <message>
        <source>Сетевые адреса всех датчиков, найденных на линии, через запятую.</source>
        <translation>Network addresses of all sensors found on the line, separated by commas.</translation>
    </message>
    <message>
        <source>Текущий уровень топлива в условных единицах: от 0 до 1023 или до 4095 в зависимости от разрешения датчика. Цвет шкалы показывает стабильность показаний: зелёный — стабильны, жёлтый и красный — нестабильны.</source>
        <translation>Current fuel level in arbitrary units: from 0 to 1023 or up to 4095, depending on the sensor resolution. The bar color shows how stable the readings are: green — stable, yellow and red — unstable.</translation>
    </message>
    <message>
        <source>Отображает частоту.</source>
        <translation>Displays the frequency.</translation>
    </message>
    <message>
        <source>Отображает напряжение.</source>
        <translation>Displays the voltage.</translation>
    </message>
    <message>
        <source>Температура датчика.</source>
        <translation>Sensor temperature.</translation>
    </message>
    <message>
        <source>Версия прошивки подключенного устройства.</source>
        <translation>Firmware version of the connected device.</translation>
    </message>
    <message>
        <source>Серийный номер подключенного устройства.</source>
        <translation>Serial number of the connected device.</translation>
    </message>
    <message>
        <source>Уровень сигнала радиосвязи между базовой станцией и беспроводным датчиком, в дБ. Чем ближе значение к нулю, тем устойчивее связь.</source>
        <translation>Radio signal strength between the base station and the wireless sensor, in dB. The closer the value is to zero, the more stable the link.</translation>
    </message>
    <message>
        <source>Напряжение батареи беспроводного датчика, в вольтах.</source>
        <translation>Wireless sensor battery voltage, in volts.</translation>
    </message>
    <message>
        <source>Порог срабатывания лампы аварийного остатка топлива беспроводного датчика, в процентах.</source>
        <translation>Trigger threshold of the wireless sensor&apos;s low fuel warning lamp, in percent.</translation>
    </message>
    <message>
        <source>Изменяет идентификатор (S/N) базовой станции. Введите новый номер в открывшемся окне; пустое или нулевое значение не принимается.</source>
        <translation>Changes the base station identifier (S/N). Enter the new number in the window that opens; an empty or zero value is not accepted.</translation>
    </message>
    <message>
        <source>Переводит базовую станцию в режим обновления прошивки. После этого в мобильном приложении NRFConnect появится устройство KV_BASE_UPD: подключитесь к нему, нажмите кнопку DFU и выберите архив с прошивкой.</source>
        <translation>Switches the base station to firmware update mode. The KV_BASE_UPD device will then appear in the NRFConnect mobile app: connect to it, tap the DFU button and select the firmware archive.</translation>
    </message>
    <message>
        <source>Перезагружает беспроводной датчик для обновления прошивки. После перезагрузки у вас есть около 30 секунд, чтобы запустить обновление в приложении NRFConnect; оставшееся время показывает таймер.</source>
        <translation>Restarts the wireless sensor for a firmware update. After the restart you have about 30 seconds to start the update in the NRFConnect app; the timer shows the remaining time.</translation>
    </message>
    <message>
        <source>Строка состояния: показывает текущее состояние подключения и результаты выполненных команд.</source>
        <translation>Status bar: shows the current connection status and the results of executed commands.</translation>
    </message>
    <message>
        <source>Секция отображения модели подключенного устройства</source>
        <translation>Connected device model display section</translation>
    </message>
    <message>
        <source>Беспроводной датчик уровня топлива KV-BLE, связанный с базовой станцией: его название, серийный номер и версия прошивки.</source>
        <translation>KV-BLE wireless fuel level sensor paired with the base station: its name, serial number and firmware version.</translation>
    </message>
    <message>
        <source>Базовая станция BLE: через неё программа получает данные беспроводных датчиков и передаёт им команды.</source>
        <translation>BLE base station: through it the program receives data from the wireless sensors and sends commands to them.</translation>
    </message>
    <message>
        <source>Индикация наличия/отсутствия пароля базы</source>
        <translation>Base password set/not set indicator</translation>
    </message>
    <message>
        <source>Один экземпляр приложения уже запущен</source>
        <translation>An instance of the application is already running</translation>
    </message>
    <message>
        <source>Подключите
преобразователь</source>
        <translation>Connect
the converter</translation>
    </message>
    <message>
        <source>Вы хотите отменить изменения настроек?</source>
        <translation>Do you want to discard the settings changes?</translation>
    </message>
    <message>
        <source>Будут загружены заводские установки</source>
        <translation>Factory settings will be loaded</translation>
    </message>
    <message>
        <source>Демонстрационный режим здесь требует пары виртуальных COM-портов:
запустите volmar-emulator --serial COMx
и выберите парный порт.</source>
        <translation>Demo mode here requires a pair of virtual COM ports:
start volmar-emulator --serial COMx
and select the paired port.</translation>
    </message>
    <message>
        <source>Демонстрационная линия не запущена:
%1</source>
        <translation>Demo line not started:
%1</translation>
    </message>
    <message>
        <source>Версия датчика не поддерживает данную функцию
Хотите установить минимальное значение?</source>
        <translation>The sensor version does not support this function
Do you want to set the minimum value?</translation>
    </message>
    <message>
        <source>Версия датчика не поддерживает данную функцию
Хотите установить максимальное значение?</source>
        <translation>The sensor version does not support this function
Do you want to set the maximum value?</translation>
    </message>
    <message>
        <source>Сетевой адрес должен быть числом
от 1 до 254</source>
        <translation>The network address must be a number
from 1 to 254</translation>
    </message>
    <message>
        <source>Некоторые параметры не были записаны
Повторите</source>
        <translation>Some parameters were not written
Please try again</translation>
    </message>
    <message>
        <source>Сейчас будет установлен новый уровень &quot;%1&quot;
Вы уверены?</source>
        <translation>A new &quot;%1&quot; level will now be set
Are you sure?</translation>
    </message>
    <message>
        <source>Пустой</source>
        <translation>Empty</translation>
    </message>
    <message>
        <source>Полный</source>
        <translation>Full</translation>
    </message>
    <message>
        <source>Установку &quot;%1&quot; рекомендуется делать
при отключенном сглаживании</source>
        <translation>It is recommended to set &quot;%1&quot;
with smoothing disabled</translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика</source>
        <translation>Waiting for a response from the sensor</translation>
    </message>
    <message>
        <source>Тарировку рекомендуется делать
при отключенном сглаживании</source>
        <translation>It is recommended to perform calibration
with smoothing disabled</translation>
    </message>
    <message>
        <source>Внимание!Датчик неоткалиброван на пустой-полный
перейти к тарировке?</source>
        <translation>Warning! The sensor is not calibrated for empty/full
Go to calibration?</translation>
    </message>
    <message>
        <source>Порог срабатывания лампы должен быть
от 0 до 100 %</source>
        <translation>The warning lamp threshold must be
from 0 to 100 %</translation>
    </message>
    <message>
        <source>Сейчас будет установлен новый уровень
аварийного остатка топлива.

Вы уверены?</source>
        <translation>A new low fuel warning level
will now be set.

Are you sure?</translation>
    </message>
</context>
<context>
    <name>DynamicQDialog</name>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>EngineerMenuQDialog</name>
    <message>
        <source>Полный</source>
        <translation>Full</translation>
    </message>
    <message>
        <source>Пустой</source>
        <translation>Empty</translation>
    </message>
    <message>
        <source>Установить</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Значение &quot;Пустой&quot; не может быть больше &quot;Полный&quot;</source>
        <translation>The &quot;Empty&quot; value cannot be greater than &quot;Full&quot;</translation>
    </message>
    <message>
        <source>Установите корректное значение &quot;Пустой&quot;</source>
        <translation>Set a valid &quot;Empty&quot; value</translation>
    </message>
    <message>
        <source>Установите корректное значение &quot;Полный&quot;</source>
        <translation>Set a valid &quot;Full&quot; value</translation>
    </message>
</context>
<context>
    <name>FLSDevice</name>
    <message>
        <source>Подключите датчик</source>
        <translation>Connect a sensor</translation>
    </message>
    <message>
        <source>Вы ввели неправильный пароль
Повторите ввод</source>
        <translation>You entered an incorrect password
Please enter it again</translation>
    </message>
    <message>
        <source>Установлен Горизонт</source>
        <translation>Horizontal position set</translation>
    </message>
    <message>
        <source>Уровень </source>
        <translation>Level </translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrated</translation>
    </message>
    <message>
        <source>Не калиброван</source>
        <translation>Not calibrated</translation>
    </message>
    <message>
        <source>Датчик подключен</source>
        <translation>Sensor connected</translation>
    </message>
    <message>
        <source>Подключен KV210</source>
        <translation>KV210 connected</translation>
    </message>
    <message>
        <source>Подключен KV260</source>
        <translation>KV260 connected</translation>
    </message>
    <message>
        <source>Подключен KV510</source>
        <translation>KV510 connected</translation>
    </message>
    <message>
        <source>Подключен KV610</source>
        <translation>KV610 connected</translation>
    </message>
    <message>
        <source>Стабилен</source>
        <translation>Stable</translation>
    </message>
    <message>
        <source>Не стабилен</source>
        <translation>Unstable</translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation>Sensor#</translation>
    </message>
    <message>
        <source>В таблице не может быть менее 20 строк</source>
        <translation>The table cannot have fewer than 20 rows</translation>
    </message>
    <message>
        <source>л</source>
        <translation>L</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Liters</translation>
    </message>
    <message>
        <source>г</source>
        <translation>gal</translation>
    </message>
    <message>
        <source>Галлоны</source>
        <translation>Gallons</translation>
    </message>
    <message>
        <source>Пароль должен быть числом
от 0 до 4294967295</source>
        <translation>The password must be a number
from 0 to 4294967295</translation>
    </message>
    <message>
        <source>Пароль удалён</source>
        <translation>Password removed</translation>
    </message>
    <message>
        <source>Режим RS-485</source>
        <translation>RS-485 mode</translation>
    </message>
    <message>
        <source>Периодический RS-485</source>
        <translation>Periodic RS-485</translation>
    </message>
    <message>
        <source>Частотный</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>Аналоговый</source>
        <translation>Analog</translation>
    </message>
    <message>
        <source>RS-232</source>
        <translation>RS-232</translation>
    </message>
    <message>
        <source>Импупльсный</source>
        <translation>Pulse</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>None</translation>
    </message>
    <message>
        <source>до 200 литров</source>
        <translation>up to 200 liters</translation>
    </message>
    <message>
        <source>от 200 до 1000 литров</source>
        <translation>200 to 1000 liters</translation>
    </message>
    <message>
        <source>более 1000 литров</source>
        <translation>over 1000 liters</translation>
    </message>
    <message>
        <source>Тяжёлые условия</source>
        <translation>Heavy conditions</translation>
    </message>
</context>
<context>
    <name>LiterToPercent</name>
    <message>
        <source>Записать
в датчик</source>
        <translation>Write
to sensor</translation>
    </message>
    <message>
        <source>Считать
из датчика</source>
        <translation>Read
from sensor</translation>
    </message>
    <message>
        <source>Загрузить</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Выгрузить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Liters</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Проценты</source>
        <translation>Percent</translation>
    </message>
    <message>
        <source>Сохранить файл</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>.csv</source>
        <translation>.csv</translation>
    </message>
    <message>
        <source>Выберете файл для пересчёта</source>
        <translation>Select a file to convert</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл
%1
%2</source>
        <translation>Failed to save the file
%1
%2</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Недостаточно данных для построения графика</source>
        <translation>Not enough data to plot the chart</translation>
    </message>
    <message>
        <source>График тарировки датчиков</source>
        <translation>Sensor calibration chart</translation>
    </message>
    <message>
        <source>Показания датчика</source>
        <translation>Sensor readings</translation>
    </message>
    <message>
        <source>Объём в литрах/галлонах</source>
        <translation>Volume in liters/gallons</translation>
    </message>
    <message>
        <source>Датчик %1</source>
        <translation>Sensor %1</translation>
    </message>
</context>
<context>
    <name>Security</name>
    <message>
        <source>Ввести пароль</source>
        <translation>Enter password</translation>
    </message>
    <message>
        <source>Установить пароль</source>
        <translation>Set password</translation>
    </message>
    <message>
        <source>Удалить пароль</source>
        <translation>Remove password</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Изменение настроек устройства защищено паролем.
Введите пароль</source>
        <translation>Changing the device settings is password-protected.
Enter the password</translation>
    </message>
    <message>
        <source>Изменение настроек датчика не защищено паролем
Вы можете установить пароль или пропустить этот шаг</source>
        <translation>Changing the sensor settings is not password-protected
You can set a password or skip this step</translation>
    </message>
</context>
<context>
    <name>WidgetTar</name>
    <message>
        <source>Литры</source>
        <translation>Liters</translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation>Sensor#</translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrated</translation>
    </message>
    <message>
        <source>Стабилен</source>
        <translation>Stable</translation>
    </message>
</context>
<context>
    <name>BLEDevice</name>
    <message>
        <source>Нет</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Изменение настроек устройства защищено паролем.
Введите пароль</source>
        <translation>Changing the device settings is password-protected.
Enter the password</translation>
    </message>
    <message>
        <source>Вы ввели неправильный пароль
Повторите ввод</source>
        <translation>You entered an incorrect password
Please enter it again</translation>
    </message>
    <message>
        <source>Установлен Горизонт</source>
        <translation>Horizontal position set</translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation>Sensor#</translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrated</translation>
    </message>
    <message>
        <source>Не калиброван</source>
        <translation>Not calibrated</translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком не установлена</source>
        <translation>No link with the wireless sensor</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Connect a sensor</translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком установлена</source>
        <translation>Linked with the wireless sensor</translation>
    </message>
    <message>
        <source>Подключен KV-BLE</source>
        <translation>KV-BLE connected</translation>
    </message>
    <message>
        <source>Если по истечении таймера вы
не увидели датчик в программе NRFConnect,
то произошла ошибка в обновлении
Повторите</source>
        <translation>If the sensor has not appeared
in NRFConnect when the timer runs out,
the update failed
Please try again</translation>
    </message>
    <message>
        <source>Стабилен</source>
        <translation>Stable</translation>
    </message>
    <message>
        <source>Не стабилен</source>
        <translation>Unstable</translation>
    </message>
    <message>
        <source>В таблице не может быть менее 20 строк</source>
        <translation>The table cannot have fewer than 20 rows</translation>
    </message>
    <message>
        <source>Некоторые параметры не были записаны
Повторите</source>
        <translation>Some parameters were not written
Please try again</translation>
    </message>
    <message>
        <source>Версия датчика не поддерживает данную функцию
Хотите установить максимальное значение?</source>
        <translation>The sensor version does not support this function
Do you want to set the maximum value?</translation>
    </message>
    <message>
        <source>Версия датчика не поддерживает данную функцию
Хотите установить минимальное значение?</source>
        <translation>The sensor version does not support this function
Do you want to set the minimum value?</translation>
    </message>
    <message>
        <source>Сетевой адрес должен быть числом
от 1 до 254</source>
        <translation>The network address must be a number
from 1 to 254</translation>
    </message>
    <message>
        <source>Установите корректное значение &quot;UIID&quot;</source>
        <translation>Enter a valid &quot;UIID&quot; value</translation>
    </message>
    <message>
        <source>Сейчас в мобильном приложении NRFConnect должно отобразиться устройство KV_BASE_UPD
Подключитесь к нему, нажмите кнопку DFU и выберите архив с прошивкой
Дождитесь, когда шкала прогресса достигнет 100% и осуществите повторное подключение</source>
        <translation>The device KV_BASE_UPD should now appear in the NRFConnect mobile app
Connect to it, press DFU and choose the firmware archive
Wait until the progress bar reaches 100% and connect again</translation>
    </message>
    <message>
        <source>Сейчас датчик будет перезагружен
После успешной перезагрузки у вас есть примерно
30 секунд на запуск процесса обновления
прошивки в программе NRFConnect.</source>
        <translation>The sensor will now restart
After it has restarted you have about
30 seconds to start the firmware
update in NRFConnect.</translation>
    </message>
    <message>
        <source>В</source>
        <translation>V</translation>
    </message>
    <message>
        <source>UUID ВТ датчика успешно изменен</source>
        <translation>Wireless sensor UUID changed</translation>
    </message>
    <message>
        <source>S/N ВТ датчика успешно изменен</source>
        <translation>Wireless sensor S/N changed</translation>
    </message>
    <message>
        <source>Директивная калибровка ВТ датчика произведена успешно</source>
        <translation>Wireless sensor set-point calibration done</translation>
    </message>
    <message>
        <source>Успешная перезагрузка ВТ датчика</source>
        <translation>Wireless sensor restarted</translation>
    </message>
    <message>
        <source>Калибровка уровня полного ВТ датчика произведена</source>
        <translation>Wireless sensor full level calibrated</translation>
    </message>
    <message>
        <source>Калибровка уровня пустого ВТ датчика произведена</source>
        <translation>Wireless sensor empty level calibrated</translation>
    </message>
    <message>
        <source>Установлены заводские настройки ВТ датчика</source>
        <translation>Wireless sensor factory settings restored</translation>
    </message>
    <message>
        <source>Датчик переведен в режим сна</source>
        <translation>Sensor put to sleep</translation>
    </message>
    <message>
        <source>Ошибка изменения UUID ВТ датчика</source>
        <translation>Error changing the wireless sensor UUID</translation>
    </message>
    <message>
        <source>Ошибка изменения S/N ВТ датчика</source>
        <translation>Error changing the wireless sensor S/N</translation>
    </message>
    <message>
        <source>Ошибка изменения пароля ВТ датчика</source>
        <translation>Error changing the wireless sensor password</translation>
    </message>
    <message>
        <source>Ошибка директивной калибровки ВТ датчика</source>
        <translation>Wireless sensor set-point calibration error</translation>
    </message>
    <message>
        <source>Режим работы ВТ датчика установлен</source>
        <translation>Wireless sensor operating mode set</translation>
    </message>
    <message>
        <source>Ошибка установки режима</source>
        <translation>Error setting the mode</translation>
    </message>
    <message>
        <source>Пароль должен быть числом
от 0 до 4294967295</source>
        <translation>The password must be a number
from 0 to 4294967295</translation>
    </message>
    <message>
        <source>Пароль удалён</source>
        <translation>Password removed</translation>
    </message>
    <message>
        <source>Пароль принят</source>
        <translation>Password accepted</translation>
    </message>
    <message>
        <source>Пароль ВТ датчика успешно удалён</source>
        <translation>Wireless sensor password removed</translation>
    </message>
    <message>
        <source>Новый пароль ВТ датчика успешно установлен</source>
        <translation>New wireless sensor password set</translation>
    </message>
    <message>
        <source>Неверный пароль датчика</source>
        <translation>Wrong sensor password</translation>
    </message>
    <message>
        <source>Ожидаем ответ от беспроводного датчика</source>
        <translation>Waiting for the wireless sensor to answer</translation>
    </message>
    <message>
        <source>Измените сетевой адрес одного из устройств</source>
        <translation>Change the network address of one of the devices</translation>
    </message>
</context>
<context>
    <name>SecurityBLE</name>
    <message>
        <source>Пропустить</source>
        <translation>Skip</translation>
    </message>
    <message>
        <source>Изменение настроек базы защищено паролем.
Введите пароль</source>
        <translation>Changing the base settings is password-protected.
Enter the password</translation>
    </message>
    <message>
        <source>Ввести пароль базы</source>
        <translation>Enter base password</translation>
    </message>
    <message>
        <source>Удалить пароль базы</source>
        <translation>Delete base password</translation>
    </message>
    <message>
        <source>Изменение настроек базы не защищено паролем
Вы можете установить пароль или пропустить этот шаг</source>
        <translation>Changing the base settings is not password-protected
You can set a password or skip this step</translation>
    </message>
    <message>
        <source>Установить пароль базы</source>
        <translation>Set base password</translation>
    </message>
    <message>
        <source>Изменение настроек датчика защищено паролем.
Введите пароль</source>
        <translation>Changing the sensor settings is password-protected.
Enter the password</translation>
    </message>
    <message>
        <source>Ввести пароль датчика</source>
        <translation>Enter sensor password</translation>
    </message>
    <message>
        <source>Удалить пароль датчика</source>
        <translation>Delete sensor password</translation>
    </message>
    <message>
        <source>Изменение настроек датчика не защищено паролем
Вы можете установить пароль или пропустить этот шаг</source>
        <translation>Changing the sensor settings is not password-protected
You can set a password or skip this step</translation>
    </message>
    <message>
        <source>Установить пароль датчика</source>
        <translation>Set sensor password</translation>
    </message>
</context>
<context>
    <name>BLEAdwView</name>
    <message>
        <source>Сет. адрес</source>
        <translation>Net. address</translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Подключить датчик</source>
        <translation>Connect sensor</translation>
    </message>
    <message>
        <source>Изменить номер</source>
        <translation>Change number</translation>
    </message>
    <message>
        <source>Отключить</source>
        <translation>Switch off</translation>
    </message>
    <message>
        <source>Основные параметры</source>
        <translation>Main parameters</translation>
    </message>
    <message>
        <source>Дополнительные параметры</source>
        <translation>Additional parameters</translation>
    </message>
    <message>
        <source>Уровень сигнала</source>
        <translation>Signal strength</translation>
    </message>
    <message>
        <source>Напряжение</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Температура</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>В</source>
        <translation>V</translation>
    </message>
    <message>
        <source>Сетевой адрес должен быть числом
от 1 до 254</source>
        <translation>The network address must be a number
from 1 to 254</translation>
    </message>
</context>
<context>
    <name>AdwertDialog</name>
    <message>
        <source>Установить соединение</source>
        <translation>Establish connection</translation>
    </message>
    <message>
        <source>Введите номер датчика</source>
        <translation>Enter the sensor number</translation>
    </message>
    <message>
        <source>Подключить</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика</source>
        <translation>Waiting for a response from the sensor</translation>
    </message>
    <message>
        <source>Ошибка подключения</source>
        <translation>Connection error</translation>
    </message>
</context>
<context>
    <name>WiredTagDevice</name>
    <message>
        <source>Датчик подключен</source>
        <translation>Sensor connected</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Connect a sensor</translation>
    </message>
    <message>
        <source>Введите серийный номер
от %1 до %2</source>
        <translation>Enter a serial number
from %1 to %2</translation>
    </message>
    <message>
        <source>Введите ID метки
от %1 до %2</source>
        <translation>Enter a tag ID
from %1 to %2</translation>
    </message>
    <message>
        <source>Сетевой адрес должен быть числом
от %1 до %2</source>
        <translation>The network address must be a number
from %1 to %2</translation>
    </message>
</context>
<context>
    <name>RemoteCommand</name>
    <message>
        <source>Ввести пароль</source>
        <translation>Enter password</translation>
    </message>
    <message>
        <source>Введите числовой пароль</source>
        <translation>Enter a numeric password</translation>
    </message>
    <message>
        <source>Запрос состояния</source>
        <translation>Status request</translation>
    </message>
    <message>
        <source>Запросить версию прошивки и серийный номер</source>
        <translation>Request firmware version and serial number</translation>
    </message>
    <message>
        <source>Сдвинуть уровень пустого</source>
        <translation>Shift empty level</translation>
    </message>
    <message>
        <source>Введите смещение в у.е.</source>
        <translation>Enter the offset in units</translation>
    </message>
    <message>
        <source>Сдвинуть уровень полного</source>
        <translation>Shift full level</translation>
    </message>
    <message>
        <source>Установить уровень пустого</source>
        <translation>Set empty level</translation>
    </message>
    <message>
        <source>Введите значение пустого</source>
        <translation>Enter the empty value</translation>
    </message>
    <message>
        <source>Установить уровень полного</source>
        <translation>Set full level</translation>
    </message>
    <message>
        <source>Введите значение полного</source>
        <translation>Enter the full value</translation>
    </message>
    <message>
        <source>Установить режим</source>
        <translation>Set mode</translation>
    </message>
    <message>
        <source>Установить пароль</source>
        <translation>Set password</translation>
    </message>
    <message>
        <source>Сетевой номер должен быть числом от 0 до 255</source>
        <translation>The network number must be a number from 0 to 255</translation>
    </message>
    <message>
        <source>Пароль должен быть числом от 0 до 4294967295</source>
        <translation>The password must be a number from 0 to 4294967295</translation>
    </message>
    <message>
        <source>Смещение должно быть числом от 0 до 65535</source>
        <translation>The offset must be a number from 0 to 65535</translation>
    </message>
    <message>
        <source>Уровень должен быть числом от 0 до 4294967295</source>
        <translation>The level must be a number from 0 to 4294967295</translation>
    </message>
</context>
<context>
    <name>RemoteControlPage</name>
    <message>
        <source>В ответе содержится температура Т=%1°С и уровень L=%2</source>
        <translation>The answer contains temperature T=%1°C and level L=%2</translation>
    </message>
</context>
<context>
    <name>AQ420Device</name>
    <message>
        <source>Гц</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Подключен АК-420</source>
        <translation>AQ420 connected</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Connect a sensor</translation>
    </message>
    <message>
        <source>Заполните пустые поля
перед записью</source>
        <translation>Fill in the empty fields
before writing</translation>
    </message>
    <message>
        <source>Сетевой адрес должен быть числом
от 1 до 254</source>
        <translation>The network address must be a number
from 1 to 254</translation>
    </message>
    <message>
        <source>Значение &quot;Низ&quot; не может быть
больше значения &quot;Верх&quot;</source>
        <translation>The &quot;Bottom&quot; value cannot be
greater than the &quot;Top&quot; value</translation>
    </message>
    <message>
        <source>Некоторые параметры не были записаны
Повторите</source>
        <translation>Some parameters were not written
Please try again</translation>
    </message>
</context>
<context>
    <name>FirmwareExchange</name>
    <message>
        <source>Прошивка не обновлена</source>
        <translation>Firmware not updated</translation>
    </message>
    <message>
        <source>Прошивка успешно обновлена</source>
        <translation>Firmware updated successfully</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdate</name>
    <message>
        <source>Идёт обновление прошивки датчика</source>
        <translation>Updating the sensor firmware</translation>
    </message>
    <message>
        <source>Ошибка в обновлении</source>
        <translation>Update error</translation>
    </message>
    <message>
        <source>Выберете файл прошивки</source>
        <translation>Choose the firmware file</translation>
    </message>
    <message>
        <source>Модель датчика не найдена в имени файла прошивки.
Имя файла или папки должно содержать KV210, KV260, KV510, KV610 или KVL300</source>
        <translation>The firmware file name names no sensor model.
The file or folder name must contain KV210, KV260, KV510, KV610 or KVL300</translation>
    </message>
    <message>
        <source>Не удалось открыть файл прошивки</source>
        <translation>The firmware file could not be opened</translation>
    </message>
    <message>
        <source>В файле нет прошивки для этой модели датчика</source>
        <translation>The file holds no firmware for this sensor model</translation>
    </message>
    <message>
        <source>Переподключите питание датчика</source>
        <translation>Switch the sensor's power off and on</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Connect a sensor</translation>
    </message>
    <message>
        <source>Прошивка успешно обновлена</source>
        <translation>Firmware updated successfully</translation>
    </message>
    <message>
        <source>Прошивка не обновлена</source>
        <translation>Firmware not updated</translation>
    </message>
</context>
</TS>
