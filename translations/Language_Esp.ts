<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>CalibrationTable</name>
    <message>
        <source>В таблице не может быть менее 20 строк</source>
        <translation>La tabla no puede tener menos de 20 filas</translation>
    </message>
    <message>
        <source>Строка %1: значение &quot;%2&quot; не является числом</source>
        <translation>Fila %1: el valor &quot;%2&quot; no es un número</translation>
    </message>
    <message>
        <source>Строка %1: значение %2 вне диапазона 0…65535</source>
        <translation>Fila %1: el valor %2 está fuera del rango 0…65535</translation>
    </message>
</context>
<context>
    <name>CalibrationCsv</name>
    <message>
        <source>Строка %1: ожидаются показания одного или двух датчиков и объём через запятую, а не %2</source>
        <translation>Línea %1: se esperan las lecturas de uno o dos sensores y el volumen, separados por comas, no %2</translation>
    </message>
    <message>
        <source>Строка %1: объём %2 не является числом</source>
        <translation>Línea %1: el volumen %2 no es un número</translation>
    </message>
    <message>
        <source>Строка %1: показание %2 не является числом</source>
        <translation>Línea %1: la lectura %2 no es un número</translation>
    </message>
</context>
<context>
    <name>CalibrationRun</name>
    <message>
        <source>Сначала завершите начатую тарировку</source>
        <translation>Termine primero la calibración en curso</translation>
    </message>
</context>
<context>
    <name>CalibrationWorkflow</name>
    <message>
        <source>Не удалось прочитать файл
%1
%2</source>
        <translation>No se pudo leer el archivo
%1
%2</translation>
    </message>
    <message>
        <source>Файл не загружен
%1
%2</source>
        <translation>El archivo no se ha cargado
%1
%2</translation>
    </message>
    <message>
        <source>Не удалось записать файл тарировки</source>
        <translation>No se pudo escribir el archivo de calibración</translation>
    </message>
    <message>
        <source>Галлоны</source>
        <translation>Galones</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litros</translation>
    </message>
    <message>
        <source>Сохранить файл</source>
        <translation>Guardar archivo</translation>
    </message>
    <message>
        <source>Не удалось создать файл
%1</source>
        <translation>No se pudo crear el archivo
%1</translation>
    </message>
    <message>
        <source>Добавить датчик</source>
        <translation>Añadir sensor</translation>
    </message>
    <message>
        <source>Возможно тарировка закончена.Или проверьте параметры тарировки
Шаг тарировки должен быть меньше остатка топлива</source>
        <translation>Es posible que la calibración haya terminado. O revise los parámetros de calibración
El paso de calibración debe ser menor que el combustible restante</translation>
    </message>
    <message>
        <source>Начать</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Вы хотите завершить тарировку?</source>
        <translation>¿Desea finalizar la calibración?</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Выберете файл для пересчёта</source>
        <translation>Seleccione el archivo para convertir</translation>
    </message>
    <message>
        <source>Заливом</source>
        <translation>Llenado</translation>
    </message>
    <message>
        <source>Сливом</source>
        <translation>Vaciado</translation>
    </message>
    <message>
        <source>ВЕРНУТЬСЯ</source>
        <translation>VOLVER</translation>
    </message>
</context>
<context>
    <name>Configurator</name>
    <message>
        <source>Ожидаем ответа от беспроводного датчика</source>
        <translation>Esperando respuesta del sensor inalámbrico</translation>
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
        <translation>Número de serie:</translation>
    </message>
    <message>
        <source>Версия ПО:</source>
        <translation>Versión FW:</translation>
    </message>
    <message>
        <source>Требуется калибровка</source>
        <translation>Se requiere calibración</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Частота, Гц</source>
        <translation>Frecuencia, Hz</translation>
    </message>
    <message>
        <source>Напряжение</source>
        <translation>Voltaje</translation>
    </message>
    <message>
        <source>Температура</source>
        <translation>Temperatura</translation>
    </message>
    <message>
        <source>Опросить адрес</source>
        <translation>Consultar dir.</translation>
    </message>
    <message>
        <source>Устройства</source>
        <translation>Dispositivos</translation>
    </message>
    <message>
        <source>Режим</source>
        <translation>Modo</translation>
    </message>
    <message>
        <source>Сглаживание</source>
        <translation>Suavizado</translation>
    </message>
    <message>
        <source>Макс. уровень</source>
        <translation>Nivel máx.</translation>
    </message>
    <message>
        <source>Мин. уровень</source>
        <translation>Nivel mín.</translation>
    </message>
    <message>
        <source>Сетевой адрес</source>
        <translation>Dirección de red</translation>
    </message>
    <message>
        <source>Базовая станция</source>
        <translation>Estación base</translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation>Número de serie</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Versión FW</translation>
    </message>
    <message>
        <source>Скопировано в буфер обмена</source>
        <translation>Copiado al portapapeles</translation>
    </message>
    <message>
        <source>Сигнал</source>
        <translation>Señal</translation>
    </message>
    <message>
        <source>Батарея</source>
        <translation>Batería</translation>
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
        <translation>CALIBRACIÓN</translation>
    </message>
    <message>
        <source>Шаг,</source>
        <translation>Paso,</translation>
    </message>
    <message>
        <source>л</source>
        <translation>L</translation>
    </message>
    <message>
        <source>Заливом</source>
        <translation>Llenado</translation>
    </message>
    <message>
        <source>Сливом</source>
        <translation>Vaciado</translation>
    </message>
    <message>
        <source>Начать</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Добавить порцию</source>
        <translation>Añadir porción</translation>
    </message>
    <message>
        <source>Удалить порцию</source>
        <translation>Eliminar porción</translation>
    </message>
    <message>
        <source>Возобновить</source>
        <translation>Reanudar</translation>
    </message>
    <message>
        <source>Завершить</source>
        <translation>Finalizar</translation>
    </message>
    <message>
        <source>График</source>
        <translation>Gráfico</translation>
    </message>
    <message>
        <source>ВЕРНУТЬСЯ</source>
        <translation>VOLVER</translation>
    </message>
    <message>
        <source>Угол,град.</source>
        <translation>Ángulo,gr.</translation>
    </message>
    <message>
        <source>Установки</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Верх</source>
        <translation>Superior</translation>
    </message>
    <message>
        <source>Низ</source>
        <translation>Inferior</translation>
    </message>
    <message>
        <source>Задержка вкл.</source>
        <translation>Retardo enc.</translation>
    </message>
    <message>
        <source>Задержка выкл.</source>
        <translation>Retardo apag.</translation>
    </message>
    <message>
        <source>Опросить сет. адрес</source>
        <translation>Consultar dir. red</translation>
    </message>
    <message>
        <source>Устройства в сети</source>
        <translation>Dispositivos en red</translation>
    </message>
    <message>
        <source>Режим 1</source>
        <translation>Modo 1</translation>
    </message>
    <message>
        <source>Режим 2</source>
        <translation>Modo 2</translation>
    </message>
    <message>
        <source>Режим 3</source>
        <translation>Modo 3</translation>
    </message>
    <message>
        <source>Отвал</source>
        <translation>Hoja</translation>
    </message>
    <message>
        <source>Ковш</source>
        <translation>Cucharón</translation>
    </message>
    <message>
        <source>Мастер</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>Установка нуля</source>
        <translation>Ajustar cero</translation>
    </message>
    <message>
        <source>Удалить датчик</source>
        <translation>Quitar sensor</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litros</translation>
    </message>
    <message>
        <source>Галлоны</source>
        <translation>Galones</translation>
    </message>
    <message>
        <source>СЧИТЫВАТЕЛЬ МЕТОК</source>
        <translation>LECTOR DE ETIQUETAS</translation>
    </message>
    <message>
        <source>Установка режима</source>
        <translation>Ajuste de modo</translation>
    </message>
    <message>
        <source>Режим Считыватель</source>
        <translation>Modo Lector</translation>
    </message>
    <message>
        <source>Режим Метка</source>
        <translation>Modo Etiqueta</translation>
    </message>
    <message>
        <source>Установить</source>
        <translation>Establecer</translation>
    </message>
    <message>
        <source>Установить сер номер</source>
        <translation>Establecer nº de serie</translation>
    </message>
    <message>
        <source>ID метки</source>
        <translation>ID de etiqueta</translation>
    </message>
    <message>
        <source>Десятичный формат</source>
        <translation>Formato decimal</translation>
    </message>
    <message>
        <source>Считать</source>
        <translation>Leer</translation>
    </message>
    <message>
        <source>Сменить сет.номер</source>
        <translation>Cambiar nº de red</translation>
    </message>
    <message>
        <source>ДИСТАНЦИОННОЕ УПРАВЛЕНИЕ</source>
        <translation>CONTROL REMOTO</translation>
    </message>
    <message>
        <source>Команда</source>
        <translation>Comando</translation>
    </message>
    <message>
        <source>Удаленнный сетевой номер</source>
        <translation>Número de red remoto</translation>
    </message>
    <message>
        <source>Введите числовой пароль</source>
        <translation>Introduzca la contraseña numérica</translation>
    </message>
    <message>
        <source>Выберете уровень фильтрации</source>
        <translation>Seleccione el nivel de filtrado</translation>
    </message>
    <message>
        <source>Выберете режим</source>
        <translation>Seleccione el modo</translation>
    </message>
    <message>
        <source>Скопируйте строку и вставьте её в файл для отправки</source>
        <translation>Copie la cadena y péguela en el archivo para enviarla</translation>
    </message>
    <message>
        <source>Сгенерировать</source>
        <translation>Generar</translation>
    </message>
    <message>
        <source>Расшифровать ответ</source>
        <translation>Decodificar respuesta</translation>
    </message>
    <message>
        <source>ИНЖЕНЕРНЫЕ НАСТРОЙКИ</source>
        <translation>AJUSTES DE INGENIERÍA</translation>
    </message>
    <message>
        <source>Инверсия индикатора</source>
        <translation>Inversión del indicador</translation>
    </message>
    <message>
        <source>Режим передачи угла наклона</source>
        <translation>Transmitir ángulo de inclinación</translation>
    </message>
    <message>
        <source>Режим Master</source>
        <translation>Modo Master</translation>
    </message>
    <message>
        <source>Отключить термокомпенсацию</source>
        <translation>Desactivar compensación térmica</translation>
    </message>
    <message>
        <source>Экодрайвинг</source>
        <translation>Conducción eficiente</translation>
    </message>
    <message>
        <source>Передавать cерийный номер</source>
        <translation>Transmitir número de serie</translation>
    </message>
    <message>
        <source>Порог срабатывания лампы</source>
        <translation>Umbral de activación de la lámpara</translation>
    </message>
    <message>
        <source>  Установить  </source>
        <translation>  Establecer  </translation>
    </message>
    <message>
        <source>Ручной ввод Полный/Пустой</source>
        <translation>Entrada manual Lleno/Vacío</translation>
    </message>
    <message>
        <source>Калибровать 
 горизонтальное
положение</source>
        <translation>Calibrar 
 posición
horizontal</translation>
    </message>
    <message>
        <source>Пересчитать в литры / %</source>
        <translation>Convertir a litros / %</translation>
    </message>
    <message>
        <source>Сетевой адрес базы</source>
        <translation>Dirección de red de la base</translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation>Cambiar</translation>
    </message>
    <message>
        <source>Изменить S/N базы</source>
        <translation>Cambiar S/N de la base</translation>
    </message>
    <message>
        <source>ОБНОВЛЕНИЕ ПРОШИВКИ</source>
        <translation>ACTUALIZACIÓN DE FIRMWARE</translation>
    </message>
    <message>
        <source>Обновить прошивку базы</source>
        <translation>Actualizar firmware de la base</translation>
    </message>
    <message>
        <source>Обновить прошивку датчика</source>
        <translation>Actualizar firmware del sensor</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte el sensor</translation>
    </message>
    <message>
        <source>Волмар Конфигуратор v1.0.0.%1</source>
        <translation>Volmar Configurator v1.0.0.%1</translation>
    </message>
    <message>
        <source>Нет доступных ком-портов
Выберите другой порт</source>
        <translation>No hay puertos COM disponibles
Seleccione otro puerto</translation>
    </message>
    <message>
        <source>Проверьте подключение преобразователя!</source>
        <translation>¡Compruebe la conexión del convertidor!</translation>
    </message>
    <message>
        <source>Обновить прошивку</source>
        <translation>Actualizar firmware</translation>
    </message>
    <message>
        <source>Отменить несохранённые настройки</source>
        <translation>Descartar ajustes no guardados</translation>
    </message>
    <message>
        <source>Загрузить заводские настройки</source>
        <translation>Cargar ajustes de fábrica</translation>
    </message>
    <message>
        <source>Инженерное меню</source>
        <translation>Menú de ingeniería</translation>
    </message>
    <message>
        <source>Дистанционное управление</source>
        <translation>Control remoto</translation>
    </message>
    <message>
        <source>Безопасность</source>
        <translation>Seguridad</translation>
    </message>
    <message>
        <source>Режим выходного сигнала датчика: цифровой RS-485 (по запросу или периодический), RS-232, аналоговый, частотный или импульсный. Набор режимов зависит от модели подключенного датчика. Выбранный режим отмечается значком изменения и записывается в датчик кнопкой записи параметров или сочетанием клавиш Ctrl+S.</source>
        <translation>Modo de la señal de salida del sensor: digital RS-485 (por solicitud o periódico), RS-232, analógico, de frecuencia o de pulsos. Los modos disponibles dependen del modelo del sensor conectado. El modo seleccionado se marca con un icono de cambio y se escribe en el sensor con el botón de escritura de parámetros o con la combinación de teclas Ctrl+S.</translation>
    </message>
    <message>
        <source>Уровень фильтрации (сглаживания) показаний. Чем больше бак и сильнее колебания топлива при движении, тем выше нужен уровень: «Нет» — без сглаживания, далее «до 200 литров», «от 200 до 1000 литров», «более 1000 литров» и «Тяжёлые условия» — самое сильное сглаживание. У датчиков других моделей уровень задаётся числом от 0 до 15. Тарировку и установку точек «Полный» и «Пустой» рекомендуется выполнять при отключенном сглаживании.</source>
        <translation>Nivel de filtrado (suavizado) de las lecturas. Cuanto más grande sea el tanque y más fuertes las oscilaciones del combustible durante la marcha, más alto debe ser el nivel: «Ninguno» — sin suavizado; luego «hasta 200 litros», «de 200 a 1000 litros», «más de 1000 litros» y «Condiciones severas» — el suavizado más fuerte. En sensores de otros modelos, el nivel se indica con un número de 0 a 15. Se recomienda realizar la calibración y el ajuste de los puntos «Lleno» y «Vacío» con el suavizado desactivado.</translation>
    </message>
    <message>
        <source>Сетевой адрес датчика на линии RS-485. Датчики на одной линии должны иметь разные адреса. Новый адрес записывается вместе с остальными параметрами, после чего программа заново ищет датчики на линии.</source>
        <translation>Dirección de red del sensor en la línea RS-485. Los sensores de una misma línea deben tener direcciones diferentes. La nueva dirección se escribe junto con los demás parámetros, tras lo cual el programa vuelve a buscar los sensores en la línea.</translation>
    </message>
    <message>
        <source>Максимальное значение уровня, которое выдаёт датчик: от 1023 до 4095 (1023 — 10-битное разрешение, 4095 — 12-битное). Переключение доступно на датчиках с версией прошивки не выше 2.5.3 и выполняется после подтверждения; новое значение записывается вместе с остальными параметрами.</source>
        <translation>Valor máximo de nivel que entrega el sensor: de 1023 a 4095 (1023 — resolución de 10 bits, 4095 — de 12 bits). El cambio está disponible en sensores con versión de firmware no superior a 2.5.3 y se realiza tras la confirmación; el nuevo valor se escribe junto con los demás parámetros.</translation>
    </message>
    <message>
        <source>Минимальное значение уровня, которое выдаёт датчик, в диапазоне от 0 до 1023; по умолчанию равно 1. Если версия датчика не поддерживает изменение этого значения, программа предупредит об этом.</source>
        <translation>Valor mínimo de nivel que entrega el sensor, en el rango de 0 a 1023; por defecto es 1. Si la versión del sensor no admite cambiar este valor, el programa lo advertirá.</translation>
    </message>
    <message>
        <source>Список COM-портов, к которым подключены преобразователи интерфейса (например, USB — RS-485). Порты, занятые другими программами, в список не попадают. Пока ни одно устройство не подключено, список обновляется при наведении на него курсора; во время подключения выбрать другой порт нельзя.</source>
        <translation>Lista de puertos COM a los que están conectados convertidores de interfaz (por ejemplo, USB — RS-485). Los puertos ocupados por otros programas no aparecen en la lista. Mientras no haya ningún dispositivo conectado, la lista se actualiza al pasar el cursor sobre ella; durante la conexión no se puede seleccionar otro puerto.</translation>
    </message>
    <message>
        <source>Сервисное меню: обновление прошивки, отмена несохранённых настроек, загрузка заводских настроек, инженерное меню, дистанционное управление и пароль датчика (пункт «Безопасность»). Большинству пунктов нужен подключенный датчик; «Дистанционное управление» доступно, пока порт закрыт.</source>
        <translation>Menú de servicio: actualización de firmware, descarte de ajustes no guardados, carga de ajustes de fábrica, menú de ingeniería, control remoto y contraseña del sensor (opción «Seguridad»). La mayoría de las opciones requieren un sensor conectado; «Control remoto» está disponible mientras el puerto esté cerrado.</translation>
    </message>
    <message>
        <source>Переход к тарировке бака для подключенного датчика (горячая клавиша F4). Тарировку рекомендуется делать при отключенном сглаживании: если фильтрация включена, программа напомнит об этом.</source>
        <translation>Abre la calibración del tanque para el sensor conectado (tecla de acceso rápido F4). Se recomienda calibrar con el suavizado desactivado: si el filtrado está activado, el programa se lo recordará.</translation>
    </message>
    <message>
        <source>Включает или выключает инверсию индикатора датчика. Команда отправляется в датчик сразу при переключении, отдельная запись не нужна. Если модель датчика не поддерживает функцию, группа неактивна.</source>
        <translation>Activa o desactiva la inversión del indicador del sensor. El comando se envía al sensor en cuanto se cambia el interruptor; no hace falta una escritura aparte. Si el modelo del sensor no admite esta función, el grupo está inactivo.</translation>
    </message>
    <message>
        <source>Режим передачи угла наклона: датчик дополнительно передаёт угол своего наклона. Команда отправляется в датчик сразу при переключении. Функция доступна для KV610 и датчиков FLS.</source>
        <translation>Modo de transmisión del ángulo de inclinación: el sensor transmite además su propio ángulo de inclinación. El comando se envía al sensor en cuanto se cambia el interruptor. Función disponible para KV610 y sensores FLS.</translation>
    </message>
    <message>
        <source>Включает или выключает режим Master датчика. Команда отправляется в датчик сразу при переключении. Функция доступна для KV610 и датчиков FLS.</source>
        <translation>Activa o desactiva el modo Master del sensor. El comando se envía al sensor en cuanto se cambia el interruptor. Función disponible para KV610 y sensores FLS.</translation>
    </message>
    <message>
        <source>Отключение термокомпенсации — поправки показаний на температуру топлива. Переключатель показывает состояние, считанное из датчика. Без особой необходимости термокомпенсацию отключать не рекомендуется.</source>
        <translation>Desactivación de la compensación térmica — la corrección de las lecturas según la temperatura del combustible. El interruptor muestra el estado leído del sensor. No se recomienda desactivar la compensación térmica sin una necesidad real.</translation>
    </message>
    <message>
        <source>Включает или выключает функцию «Экодрайвинг» датчика. Команда отправляется в датчик сразу при переключении. Функция доступна для KV610 и датчиков FLS.</source>
        <translation>Activa o desactiva la función «Conducción eficiente» del sensor. El comando se envía al sensor en cuanto se cambia el interruptor. Función disponible para KV610 y sensores FLS.</translation>
    </message>
    <message>
        <source>Порог срабатывания лампы аварийного остатка топлива, в процентах. Введите значение и нажмите «Установить»: после подтверждения порог будет записан в датчик.</source>
        <translation>Umbral de activación de la lámpara de reserva de combustible, en porcentaje. Introduzca el valor y pulse «Establecer»: tras la confirmación, el umbral se escribirá en el sensor.</translation>
    </message>
    <message>
        <source>Ручной ввод значений «Полный» и «Пустой». В открывшемся окне введите оба значения и нажмите «Установить». Значение «Пустой» не может быть больше значения «Полный», нулевые значения не принимаются.</source>
        <translation>Entrada manual de los valores «Lleno» y «Vacío». En la ventana que se abre, introduzca ambos valores y pulse «Establecer». El valor «Vacío» no puede ser mayor que el valor «Lleno»; no se aceptan valores cero.</translation>
    </message>
    <message>
        <source>Открывает тарировочную таблицу датчика из 20 точек «уровень — объём». Таблицу можно считать из датчика и записать в него, загрузить из файла CSV или сохранить в файл, а также пересчитать объёмы в проценты.</source>
        <translation>Abre la tabla de calibración del sensor de 20 puntos «nivel — volumen». La tabla se puede leer del sensor y escribir en él, cargar desde un archivo CSV o guardar en un archivo, y sus volúmenes se pueden convertir a porcentajes.</translation>
    </message>
    <message>
        <source>Дистанционное управление датчиком, подключенным к бортовому терминалу. Выберите команду и нажмите «Сгенерировать»: полученную строку скопируйте и отправьте на терминал по SMS или через сервер. Ответ терминала с температурой и уровнем можно вставить в ту же строку и расшифровать.</source>
        <translation>Control remoto de un sensor conectado a un terminal a bordo. Seleccione un comando y pulse «Generar»: copie la cadena obtenida y envíela al terminal por SMS o a través del servidor. La respuesta del terminal con la temperatura y el nivel se puede pegar en la misma línea y decodificar.</translation>
    </message>
    <message>
        <source>Шаг тарировки — объём одной порции топлива. По умолчанию 5 при тарировке заливом и 500 при тарировке сливом. Каждая новая порция увеличивает (залив) или уменьшает (слив) объём в таблице на этот шаг.</source>
        <translation>Paso de calibración — el volumen de una porción de combustible. Por defecto es 5 en la calibración por llenado y 500 en la calibración por vaciado. Cada nueva porción aumenta (llenado) o disminuye (vaciado) el volumen de la tabla en este paso.</translation>
    </message>
    <message>
        <source>Начинает тарировку: запрашивает имя файла CSV, в котором будет сохраняться таблица, и добавляет в неё столбец датчика с начальной точкой. После добавления первой порции добавить датчик нельзя.</source>
        <translation>Inicia la calibración: solicita el nombre del archivo CSV en el que se guardará la tabla y le añade la columna del sensor con el punto inicial. Una vez añadida la primera porción, ya no se pueden añadir sensores.</translation>
    </message>
    <message>
        <source>Удаляет из тарировочной таблицы столбец последнего добавленного датчика. Если датчик был один, таблица очищается, а следующая тарировка продолжится в том же файле.</source>
        <translation>Quita de la tabla de calibración la columna del último sensor añadido. Si solo había un sensor, la tabla se vacía y la siguiente calibración continuará en el mismo archivo.</translation>
    </message>
    <message>
        <source>Добавляет в таблицу строку: объём, изменённый на шаг тарировки, и текущие показания датчика. Строка сразу дописывается в файл тарировки. Перед нажатием дождитесь, пока показания датчика станут стабильными.</source>
        <translation>Añade una fila a la tabla: el volumen modificado según el paso de calibración y las lecturas actuales del sensor. La fila se añade de inmediato al archivo de calibración. Antes de pulsar, espere a que las lecturas del sensor se estabilicen.</translation>
    </message>
    <message>
        <source>Удаляет последнюю строку в тарировочной таблице</source>
        <translation>Elimina la última fila de la tabla de calibración</translation>
    </message>
    <message>
        <source>Завершает тарировку после подтверждения: таблица очищается, работа с файлом тарировки заканчивается. Сохранённую тарировку можно продолжить кнопкой «Возобновить».</source>
        <translation>Finaliza la calibración tras la confirmación: la tabla se vacía y se termina el trabajo con el archivo de calibración. Una calibración guardada se puede continuar con el botón «Reanudar».</translation>
    </message>
    <message>
        <source>Подключение проводного датчика уровня топлива (KV210, KV260, KV510, KV610). Нажатие открывает выбранный COM-порт и запускает поиск датчиков на линии, повторное нажатие отключает датчик.</source>
        <translation>Conexión de un sensor de nivel de combustible cableado (KV210, KV260, KV510, KV610). Al pulsar se abre el puerto COM seleccionado y se inicia la búsqueda de sensores en la línea; al pulsar de nuevo se desconecta el sensor.</translation>
    </message>
    <message>
        <source>Устанавливает точку «Пустой»: текущее показание датчика запоминается в нём как показание при пустом баке. Выполняется после подтверждения, горячая клавиша F3. Рекомендуется делать при отключенном сглаживании.</source>
        <translation>Establece el punto «Vacío»: la lectura actual del sensor se guarda en él como la lectura con el tanque vacío. Se ejecuta tras la confirmación; tecla de acceso rápido F3. Se recomienda hacerlo con el suavizado desactivado.</translation>
    </message>
    <message>
        <source>Устанавливает точку «Полный»: текущее показание датчика запоминается в нём как показание при полном баке. Выполняется после подтверждения, горячая клавиша F2. Рекомендуется делать при отключенном сглаживании.</source>
        <translation>Establece el punto «Lleno»: la lectura actual del sensor se guarda en él como la lectura con el tanque lleno. Se ejecuta tras la confirmación; tecla de acceso rápido F2. Se recomienda hacerlo con el suavizado desactivado.</translation>
    </message>
    <message>
        <source>Выбор датчика для опроса, когда на линии их несколько: в списке сетевые адреса найденных датчиков. После выбора программа опрашивает датчик с этим адресом.</source>
        <translation>Selección del sensor que se consulta cuando hay varios en la línea: la lista contiene las direcciones de red de los sensores encontrados. Tras la selección, el programa consulta el sensor con esa dirección.</translation>
    </message>
    <message>
        <source>Температура датчика</source>
        <translation>Temperatura del sensor</translation>
    </message>
    <message>
        <source>Записывает изменённые параметры в датчик. Изменённые поля отмечаются значком рядом с ними; записать их можно и сочетанием клавиш Ctrl+S. После записи параметры считываются заново: записанные отмечаются зелёным значком, а при расхождении появится просьба повторить запись.</source>
        <translation>Escribe los parámetros modificados en el sensor. Los campos modificados se marcan con un icono a su lado; también se pueden escribir con la combinación de teclas Ctrl+S. Tras la escritura, los parámetros se vuelven a leer: los escritos se marcan con un icono verde y, si hay discrepancias, se le pedirá que repita la escritura.</translation>
    </message>
    <message>
        <source>Выбор подключаемого устройства: проводной датчик уровня топлива или базовая станция BLE с беспроводными датчиками. Нажатие открывает выбранный COM-порт и запускает поиск, выбранная кнопка подсвечивается красным. Повторное нажатие или выбор другого устройства отключает текущее.</source>
        <translation>Selección del dispositivo a conectar: sensor de nivel de combustible cableado o estación base BLE con sensores inalámbricos. Al pulsar se abre el puerto COM seleccionado y se inicia la búsqueda; el botón seleccionado se resalta en rojo. Al pulsar de nuevo o seleccionar otro dispositivo se desconecta el actual.</translation>
    </message>
    <message>
        <source>Сетевые адреса всех датчиков, найденных на линии, через запятую.</source>
        <translation>Direcciones de red de todos los sensores encontrados en la línea, separadas por comas.</translation>
    </message>
    <message>
        <source>Текущий уровень топлива в условных единицах: от 0 до 1023 или до 4095 в зависимости от разрешения датчика. Цвет шкалы показывает стабильность показаний: зелёный — стабильны, жёлтый и красный — нестабильны.</source>
        <translation>Nivel actual de combustible en unidades convencionales: de 0 a 1023 o hasta 4095, según la resolución del sensor. El color de la barra indica la estabilidad de las lecturas: verde — estables, amarillo y rojo — inestables.</translation>
    </message>
    <message>
        <source>Отображает частоту.</source>
        <translation>Muestra la frecuencia.</translation>
    </message>
    <message>
        <source>Отображает напряжение.</source>
        <translation>Muestra el voltaje.</translation>
    </message>
    <message>
        <source>Температура датчика.</source>
        <translation>Temperatura del sensor.</translation>
    </message>
    <message>
        <source>Версия прошивки подключенного устройства.</source>
        <translation>Versión de firmware del dispositivo conectado.</translation>
    </message>
    <message>
        <source>Серийный номер подключенного устройства.</source>
        <translation>Número de serie del dispositivo conectado.</translation>
    </message>
    <message>
        <source>Уровень сигнала радиосвязи между базовой станцией и беспроводным датчиком, в дБ. Чем ближе значение к нулю, тем устойчивее связь.</source>
        <translation>Intensidad de la señal de radio entre la estación base y el sensor inalámbrico, en dB. Cuanto más cerca de cero esté el valor, más estable será la conexión.</translation>
    </message>
    <message>
        <source>Напряжение батареи беспроводного датчика, в вольтах.</source>
        <translation>Voltaje de la batería del sensor inalámbrico, en voltios.</translation>
    </message>
    <message>
        <source>Порог срабатывания лампы аварийного остатка топлива беспроводного датчика, в процентах.</source>
        <translation>Umbral de activación de la lámpara de reserva de combustible del sensor inalámbrico, en porcentaje.</translation>
    </message>
    <message>
        <source>Изменяет идентификатор (S/N) базовой станции. Введите новый номер в открывшемся окне; пустое или нулевое значение не принимается.</source>
        <translation>Cambia el identificador (S/N) de la estación base. Introduzca el nuevo número en la ventana que se abre; no se aceptan valores vacíos ni cero.</translation>
    </message>
    <message>
        <source>Переводит базовую станцию в режим обновления прошивки. После этого в мобильном приложении NRFConnect появится устройство KV_BASE_UPD: подключитесь к нему, нажмите кнопку DFU и выберите архив с прошивкой.</source>
        <translation>Pone la estación base en modo de actualización de firmware. A continuación, el dispositivo KV_BASE_UPD aparecerá en la aplicación móvil NRFConnect: conéctese a él, pulse el botón DFU y seleccione el archivo comprimido con el firmware.</translation>
    </message>
    <message>
        <source>Перезагружает беспроводной датчик для обновления прошивки. После перезагрузки у вас есть около 30 секунд, чтобы запустить обновление в приложении NRFConnect; оставшееся время показывает таймер.</source>
        <translation>Reinicia el sensor inalámbrico para actualizar el firmware. Tras el reinicio dispone de unos 30 segundos para iniciar la actualización en la aplicación NRFConnect; el temporizador muestra el tiempo restante.</translation>
    </message>
    <message>
        <source>Строка состояния: показывает текущее состояние подключения и результаты выполненных команд.</source>
        <translation>Barra de estado: muestra el estado actual de la conexión y los resultados de los comandos ejecutados.</translation>
    </message>
    <message>
        <source>Секция отображения модели подключенного устройства</source>
        <translation>Sección de visualización del modelo del dispositivo conectado</translation>
    </message>
    <message>
        <source>Беспроводной датчик уровня топлива KV-BLE, связанный с базовой станцией: его название, серийный номер и версия прошивки.</source>
        <translation>Sensor de nivel de combustible inalámbrico KV-BLE vinculado a la estación base: su nombre, número de serie y versión de firmware.</translation>
    </message>
    <message>
        <source>Базовая станция BLE: через неё программа получает данные беспроводных датчиков и передаёт им команды.</source>
        <translation>Estación base BLE: a través de ella el programa recibe los datos de los sensores inalámbricos y les envía comandos.</translation>
    </message>
    <message>
        <source>Индикация наличия/отсутствия пароля базы</source>
        <translation>Indicación de presencia/ausencia de contraseña de la base</translation>
    </message>
    <message>
        <source>Один экземпляр приложения уже запущен</source>
        <translation>Ya hay una instancia de la aplicación en ejecución</translation>
    </message>
    <message>
        <source>Подключите
преобразователь</source>
        <translation>Conecte
el convertidor</translation>
    </message>
    <message>
        <source>Вы хотите отменить изменения настроек?</source>
        <translation>¿Desea descartar los cambios de los ajustes?</translation>
    </message>
    <message>
        <source>Будут загружены заводские установки</source>
        <translation>Se cargarán los ajustes de fábrica</translation>
    </message>
    <message>
        <source>Демонстрационный режим здесь требует пары виртуальных COM-портов:
запустите volmar-emulator --serial COMx
и выберите парный порт.</source>
        <translation>Aquí el modo de demostración requiere un par de puertos COM virtuales:
inicie volmar-emulator --serial COMx
y seleccione el puerto emparejado.</translation>
    </message>
    <message>
        <source>Демонстрационная линия не запущена:
%1</source>
        <translation>La línea de demostración no se ha iniciado:
%1</translation>
    </message>
    <message>
        <source>Версия датчика не поддерживает данную функцию
Хотите установить минимальное значение?</source>
        <translation>La versión del sensor no admite esta función
¿Desea establecer el valor mínimo?</translation>
    </message>
    <message>
        <source>Версия датчика не поддерживает данную функцию
Хотите установить максимальное значение?</source>
        <translation>La versión del sensor no admite esta función
¿Desea establecer el valor máximo?</translation>
    </message>
    <message>
        <source>Сетевой адрес должен быть числом
от 1 до 254</source>
        <translation>La dirección de red debe ser un número
de 1 a 254</translation>
    </message>
    <message>
        <source>Некоторые параметры не были записаны
Повторите</source>
        <translation>Algunos parámetros no se escribieron
Inténtelo de nuevo</translation>
    </message>
    <message>
        <source>Сейчас будет установлен новый уровень &quot;%1&quot;
Вы уверены?</source>
        <translation>Ahora se establecerá un nuevo nivel &quot;%1&quot;
¿Está seguro?</translation>
    </message>
    <message>
        <source>Пустой</source>
        <translation>Vacío</translation>
    </message>
    <message>
        <source>Полный</source>
        <translation>Lleno</translation>
    </message>
    <message>
        <source>Установку &quot;%1&quot; рекомендуется делать
при отключенном сглаживании</source>
        <translation>Se recomienda establecer &quot;%1&quot;
con el suavizado desactivado</translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика</source>
        <translation>Esperando respuesta del sensor</translation>
    </message>
    <message>
        <source>Тарировку рекомендуется делать
при отключенном сглаживании</source>
        <translation>Se recomienda realizar la calibración
con el suavizado desactivado</translation>
    </message>
    <message>
        <source>Внимание!Датчик неоткалиброван на пустой-полный
перейти к тарировке?</source>
        <translation>¡Atención! El sensor no está calibrado en vacío/lleno
¿Ir a la calibración?</translation>
    </message>
    <message>
        <source>Порог срабатывания лампы должен быть
от 0 до 100 %</source>
        <translation>El umbral de activación de la lámpara debe estar
entre 0 y 100 %</translation>
    </message>
    <message>
        <source>Сейчас будет установлен новый уровень
аварийного остатка топлива.

Вы уверены?</source>
        <translation>Ahora se establecerá un nuevo nivel
de reserva de combustible.

¿Está seguro?</translation>
    </message>
</context>
<context>
    <name>DynamicQDialog</name>
    <message>
        <source>Отмена</source>
        <translation>Cancelar</translation>
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
        <translation>Lleno</translation>
    </message>
    <message>
        <source>Пустой</source>
        <translation>Vacío</translation>
    </message>
    <message>
        <source>Установить</source>
        <translation>Establecer</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Значение &quot;Пустой&quot; не может быть больше &quot;Полный&quot;</source>
        <translation>El valor &quot;Vacío&quot; no puede ser mayor que &quot;Lleno&quot;</translation>
    </message>
    <message>
        <source>Установите корректное значение &quot;Пустой&quot;</source>
        <translation>Establezca un valor correcto de &quot;Vacío&quot;</translation>
    </message>
    <message>
        <source>Установите корректное значение &quot;Полный&quot;</source>
        <translation>Establezca un valor correcto de &quot;Lleno&quot;</translation>
    </message>
</context>
<context>
    <name>FLSDevice</name>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte el sensor</translation>
    </message>
    <message>
        <source>Вы ввели неправильный пароль
Повторите ввод</source>
        <translation>Ha introducido una contraseña incorrecta
Introdúzcala de nuevo</translation>
    </message>
    <message>
        <source>Установлен Горизонт</source>
        <translation>Posición horizontal establecida</translation>
    </message>
    <message>
        <source>Уровень </source>
        <translation>Nivel </translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrado</translation>
    </message>
    <message>
        <source>Не калиброван</source>
        <translation>No calibrado</translation>
    </message>
    <message>
        <source>Датчик подключен</source>
        <translation>Sensor conectado</translation>
    </message>
    <message>
        <source>Подключен KV210</source>
        <translation>KV210 conectado</translation>
    </message>
    <message>
        <source>Подключен KV260</source>
        <translation>KV260 conectado</translation>
    </message>
    <message>
        <source>Подключен KV510</source>
        <translation>KV510 conectado</translation>
    </message>
    <message>
        <source>Подключен KV610</source>
        <translation>KV610 conectado</translation>
    </message>
    <message>
        <source>Стабилен</source>
        <translation>Estable</translation>
    </message>
    <message>
        <source>Не стабилен</source>
        <translation>Inestable</translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation>Sensor#</translation>
    </message>
    <message>
        <source>В таблице не может быть менее 20 строк</source>
        <translation>La tabla no puede tener menos de 20 filas</translation>
    </message>
    <message>
        <source>л</source>
        <translation>L</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litros</translation>
    </message>
    <message>
        <source>г</source>
        <translation>gal</translation>
    </message>
    <message>
        <source>Галлоны</source>
        <translation>Galones</translation>
    </message>
    <message>
        <source>Пароль должен быть числом
от 0 до 4294967295</source>
        <translation>La contraseña debe ser un número
de 0 a 4294967295</translation>
    </message>
    <message>
        <source>Пароль удалён</source>
        <translation>Contraseña eliminada</translation>
    </message>
    <message>
        <source>Режим RS-485</source>
        <translation>Modo RS-485</translation>
    </message>
    <message>
        <source>Периодический RS-485</source>
        <translation>RS-485 periódico</translation>
    </message>
    <message>
        <source>Частотный</source>
        <translation>Frecuencia</translation>
    </message>
    <message>
        <source>Аналоговый</source>
        <translation>Analógico</translation>
    </message>
    <message>
        <source>RS-232</source>
        <translation>RS-232</translation>
    </message>
    <message>
        <source>Импупльсный</source>
        <translation>Pulsos</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>до 200 литров</source>
        <translation>hasta 200 litros</translation>
    </message>
    <message>
        <source>от 200 до 1000 литров</source>
        <translation>de 200 a 1000 litros</translation>
    </message>
    <message>
        <source>более 1000 литров</source>
        <translation>más de 1000 litros</translation>
    </message>
    <message>
        <source>Тяжёлые условия</source>
        <translation>Condiciones severas</translation>
    </message>
</context>
<context>
    <name>LiterToPercent</name>
    <message>
        <source>Записать
в датчик</source>
        <translation>Escribir
en el sensor</translation>
    </message>
    <message>
        <source>Считать
из датчика</source>
        <translation>Leer
del sensor</translation>
    </message>
    <message>
        <source>Загрузить</source>
        <translation>Cargar</translation>
    </message>
    <message>
        <source>Выгрузить</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litros</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Проценты</source>
        <translation>Porcentaje</translation>
    </message>
    <message>
        <source>Сохранить файл</source>
        <translation>Guardar archivo</translation>
    </message>
    <message>
        <source>.csv</source>
        <translation>.csv</translation>
    </message>
    <message>
        <source>Выберете файл для пересчёта</source>
        <translation>Seleccione el archivo para convertir</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл
%1
%2</source>
        <translation>No se pudo guardar el archivo
%1
%2</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Недостаточно данных для построения графика</source>
        <translation>No hay datos suficientes para trazar el gráfico</translation>
    </message>
    <message>
        <source>График тарировки датчиков</source>
        <translation>Gráfico de calibración de los sensores</translation>
    </message>
    <message>
        <source>Показания датчика</source>
        <translation>Lecturas del sensor</translation>
    </message>
    <message>
        <source>Объём в литрах/галлонах</source>
        <translation>Volumen en litros/galones</translation>
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
        <translation>Introducir contraseña</translation>
    </message>
    <message>
        <source>Установить пароль</source>
        <translation>Establecer contraseña</translation>
    </message>
    <message>
        <source>Удалить пароль</source>
        <translation>Eliminar contraseña</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Изменение настроек устройства защищено паролем.
Введите пароль</source>
        <translation>El cambio de los ajustes del dispositivo está protegido con contraseña.
Introduzca la contraseña</translation>
    </message>
    <message>
        <source>Изменение настроек датчика не защищено паролем
Вы можете установить пароль или пропустить этот шаг</source>
        <translation>El cambio de los ajustes del sensor no está protegido con contraseña
Puede establecer una contraseña u omitir este paso</translation>
    </message>
</context>
<context>
    <name>WidgetTar</name>
    <message>
        <source>Литры</source>
        <translation>Litros</translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation>Sensor#</translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrado</translation>
    </message>
    <message>
        <source>Стабилен</source>
        <translation>Estable</translation>
    </message>
</context>
<context>
    <name>BLEDevice</name>
    <message>
        <source>Нет</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>Изменение настроек устройства защищено паролем.
Введите пароль</source>
        <translation>El cambio de los ajustes del dispositivo está protegido con contraseña.
Introduzca la contraseña</translation>
    </message>
    <message>
        <source>Вы ввели неправильный пароль
Повторите ввод</source>
        <translation>Ha introducido una contraseña incorrecta
Introdúzcala de nuevo</translation>
    </message>
    <message>
        <source>Установлен Горизонт</source>
        <translation>Posición horizontal establecida</translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation>Sensor#</translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation>Calibrado</translation>
    </message>
    <message>
        <source>Не калиброван</source>
        <translation>No calibrado</translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком не установлена</source>
        <translation>Sin enlace con el sensor inalámbrico</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte el sensor</translation>
    </message>
    <message>
        <source>Связь с беспроводным датчиком установлена</source>
        <translation>Enlazado con el sensor inalámbrico</translation>
    </message>
    <message>
        <source>Подключен KV-BLE</source>
        <translation>KV-BLE conectado</translation>
    </message>
    <message>
        <source>Если по истечении таймера вы
не увидели датчик в программе NRFConnect,
то произошла ошибка в обновлении
Повторите</source>
        <translation>Si el sensor no aparece
en NRFConnect al terminar el temporizador,
la actualización ha fallado
Inténtelo de nuevo</translation>
    </message>
    <message>
        <source>Стабилен</source>
        <translation>Estable</translation>
    </message>
    <message>
        <source>Не стабилен</source>
        <translation>Inestable</translation>
    </message>
    <message>
        <source>В таблице не может быть менее 20 строк</source>
        <translation>La tabla no puede tener menos de 20 filas</translation>
    </message>
    <message>
        <source>Некоторые параметры не были записаны
Повторите</source>
        <translation>Algunos parámetros no se escribieron
Inténtelo de nuevo</translation>
    </message>
    <message>
        <source>Версия датчика не поддерживает данную функцию
Хотите установить максимальное значение?</source>
        <translation>La versión del sensor no admite esta función
¿Desea establecer el valor máximo?</translation>
    </message>
    <message>
        <source>Версия датчика не поддерживает данную функцию
Хотите установить минимальное значение?</source>
        <translation>La versión del sensor no admite esta función
¿Desea establecer el valor mínimo?</translation>
    </message>
    <message>
        <source>Сетевой адрес должен быть числом
от 1 до 254</source>
        <translation>La dirección de red debe ser un número
de 1 a 254</translation>
    </message>
    <message>
        <source>Установите корректное значение &quot;UIID&quot;</source>
        <translation>Introduzca un valor válido de &quot;UIID&quot;</translation>
    </message>
    <message>
        <source>Сейчас в мобильном приложении NRFConnect должно отобразиться устройство KV_BASE_UPD
Подключитесь к нему, нажмите кнопку DFU и выберите архив с прошивкой
Дождитесь, когда шкала прогресса достигнет 100% и осуществите повторное подключение</source>
        <translation>El dispositivo KV_BASE_UPD debe aparecer ahora en la aplicación NRFConnect
Conéctese a él, pulse DFU y elija el archivo del firmware
Espere a que la barra de progreso llegue al 100% y vuelva a conectar</translation>
    </message>
    <message>
        <source>Сейчас датчик будет перезагружен
После успешной перезагрузки у вас есть примерно
30 секунд на запуск процесса обновления
прошивки в программе NRFConnect.</source>
        <translation>El sensor se reiniciará ahora
Tras reiniciarse tiene unos
30 segundos para iniciar la actualización
del firmware en NRFConnect.</translation>
    </message>
    <message>
        <source>В</source>
        <translation>V</translation>
    </message>
    <message>
        <source>UUID ВТ датчика успешно изменен</source>
        <translation>UUID del sensor inalámbrico cambiado</translation>
    </message>
    <message>
        <source>S/N ВТ датчика успешно изменен</source>
        <translation>N/S del sensor inalámbrico cambiado</translation>
    </message>
    <message>
        <source>Директивная калибровка ВТ датчика произведена успешно</source>
        <translation>Calibración directa del sensor inalámbrico realizada</translation>
    </message>
    <message>
        <source>Успешная перезагрузка ВТ датчика</source>
        <translation>Sensor inalámbrico reiniciado</translation>
    </message>
    <message>
        <source>Калибровка уровня полного ВТ датчика произведена</source>
        <translation>Nivel lleno del sensor inalámbrico calibrado</translation>
    </message>
    <message>
        <source>Калибровка уровня пустого ВТ датчика произведена</source>
        <translation>Nivel vacío del sensor inalámbrico calibrado</translation>
    </message>
    <message>
        <source>Установлены заводские настройки ВТ датчика</source>
        <translation>Ajustes de fábrica del sensor inalámbrico restablecidos</translation>
    </message>
    <message>
        <source>Датчик переведен в режим сна</source>
        <translation>Sensor puesto en reposo</translation>
    </message>
    <message>
        <source>Ошибка изменения UUID ВТ датчика</source>
        <translation>Error al cambiar el UUID del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Ошибка изменения S/N ВТ датчика</source>
        <translation>Error al cambiar el N/S del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Ошибка изменения пароля ВТ датчика</source>
        <translation>Error al cambiar la contraseña del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Ошибка директивной калибровки ВТ датчика</source>
        <translation>Error en la calibración directa del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Режим работы ВТ датчика установлен</source>
        <translation>Modo de funcionamiento del sensor inalámbrico establecido</translation>
    </message>
    <message>
        <source>Ошибка установки режима</source>
        <translation>Error al establecer el modo</translation>
    </message>
    <message>
        <source>Пароль должен быть числом
от 0 до 4294967295</source>
        <translation>La contraseña debe ser un número
de 0 a 4294967295</translation>
    </message>
    <message>
        <source>Пароль удалён</source>
        <translation>Contraseña eliminada</translation>
    </message>
    <message>
        <source>Пароль принят</source>
        <translation>Contraseña aceptada</translation>
    </message>
    <message>
        <source>Пароль ВТ датчика успешно удалён</source>
        <translation>Contraseña del sensor inalámbrico eliminada</translation>
    </message>
    <message>
        <source>Новый пароль ВТ датчика успешно установлен</source>
        <translation>Nueva contraseña del sensor inalámbrico establecida</translation>
    </message>
    <message>
        <source>Неверный пароль датчика</source>
        <translation>Contraseña del sensor incorrecta</translation>
    </message>
    <message>
        <source>Ожидаем ответ от беспроводного датчика</source>
        <translation>Esperando respuesta del sensor inalámbrico</translation>
    </message>
    <message>
        <source>Измените сетевой адрес одного из устройств</source>
        <translation>Cambie la dirección de red de uno de los dispositivos</translation>
    </message>
</context>
<context>
    <name>SecurityBLE</name>
    <message>
        <source>Пропустить</source>
        <translation>Omitir</translation>
    </message>
    <message>
        <source>Изменение настроек базы защищено паролем.
Введите пароль</source>
        <translation>El cambio de los ajustes de la base está protegido con contraseña.
Introduzca la contraseña</translation>
    </message>
    <message>
        <source>Ввести пароль базы</source>
        <translation>Introducir contraseña de la base</translation>
    </message>
    <message>
        <source>Удалить пароль базы</source>
        <translation>Eliminar contraseña de la base</translation>
    </message>
    <message>
        <source>Изменение настроек базы не защищено паролем
Вы можете установить пароль или пропустить этот шаг</source>
        <translation>El cambio de los ajustes de la base no está protegido con contraseña
Puede establecer una contraseña u omitir este paso</translation>
    </message>
    <message>
        <source>Установить пароль базы</source>
        <translation>Establecer contraseña de la base</translation>
    </message>
    <message>
        <source>Изменение настроек датчика защищено паролем.
Введите пароль</source>
        <translation>El cambio de los ajustes del sensor está protegido con contraseña.
Introduzca la contraseña</translation>
    </message>
    <message>
        <source>Ввести пароль датчика</source>
        <translation>Introducir contraseña del sensor</translation>
    </message>
    <message>
        <source>Удалить пароль датчика</source>
        <translation>Eliminar contraseña del sensor</translation>
    </message>
    <message>
        <source>Изменение настроек датчика не защищено паролем
Вы можете установить пароль или пропустить этот шаг</source>
        <translation>El cambio de los ajustes del sensor no está protegido con contraseña
Puede establecer una contraseña u omitir este paso</translation>
    </message>
    <message>
        <source>Установить пароль датчика</source>
        <translation>Establecer contraseña del sensor</translation>
    </message>
</context>
<context>
    <name>BLEAdwView</name>
    <message>
        <source>Сет. адрес</source>
        <translation>Dir. de red</translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation>Cambiar</translation>
    </message>
    <message>
        <source>Подключить датчик</source>
        <translation>Conectar sensor</translation>
    </message>
    <message>
        <source>Изменить номер</source>
        <translation>Cambiar número</translation>
    </message>
    <message>
        <source>Отключить</source>
        <translation>Apagar</translation>
    </message>
    <message>
        <source>Основные параметры</source>
        <translation>Parámetros principales</translation>
    </message>
    <message>
        <source>Дополнительные параметры</source>
        <translation>Parámetros adicionales</translation>
    </message>
    <message>
        <source>Уровень сигнала</source>
        <translation>Nivel de señal</translation>
    </message>
    <message>
        <source>Напряжение</source>
        <translation>Voltaje</translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Температура</source>
        <translation>Temperatura</translation>
    </message>
    <message>
        <source>В</source>
        <translation>V</translation>
    </message>
    <message>
        <source>Сетевой адрес должен быть числом
от 1 до 254</source>
        <translation>La dirección de red debe ser un número
de 1 a 254</translation>
    </message>
</context>
<context>
    <name>AdwertDialog</name>
    <message>
        <source>Установить соединение</source>
        <translation>Establecer conexión</translation>
    </message>
    <message>
        <source>Введите номер датчика</source>
        <translation>Introduzca el número del sensor</translation>
    </message>
    <message>
        <source>Подключить</source>
        <translation>Conectar</translation>
    </message>
    <message>
        <source>Ожидаем ответа от датчика</source>
        <translation>Esperando respuesta del sensor</translation>
    </message>
    <message>
        <source>Ошибка подключения</source>
        <translation>Error de conexión</translation>
    </message>
</context>
<context>
    <name>WiredTagDevice</name>
    <message>
        <source>Датчик подключен</source>
        <translation>Sensor conectado</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte el sensor</translation>
    </message>
    <message>
        <source>Введите серийный номер
от %1 до %2</source>
        <translation>Introduzca un nº de serie
de %1 a %2</translation>
    </message>
    <message>
        <source>Введите ID метки
от %1 до %2</source>
        <translation>Introduzca un ID de etiqueta
de %1 a %2</translation>
    </message>
    <message>
        <source>Сетевой адрес должен быть числом
от %1 до %2</source>
        <translation>La dirección de red debe ser un número
de %1 a %2</translation>
    </message>
</context>
<context>
    <name>RemoteCommand</name>
    <message>
        <source>Ввести пароль</source>
        <translation>Introducir contraseña</translation>
    </message>
    <message>
        <source>Введите числовой пароль</source>
        <translation>Introduzca la contraseña numérica</translation>
    </message>
    <message>
        <source>Запрос состояния</source>
        <translation>Solicitud de estado</translation>
    </message>
    <message>
        <source>Запросить версию прошивки и серийный номер</source>
        <translation>Solicitar versión del firmware y número de serie</translation>
    </message>
    <message>
        <source>Сдвинуть уровень пустого</source>
        <translation>Desplazar el nivel vacío</translation>
    </message>
    <message>
        <source>Введите смещение в у.е.</source>
        <translation>Desplazamiento en unidades</translation>
    </message>
    <message>
        <source>Сдвинуть уровень полного</source>
        <translation>Desplazar el nivel lleno</translation>
    </message>
    <message>
        <source>Установить уровень пустого</source>
        <translation>Establecer el nivel vacío</translation>
    </message>
    <message>
        <source>Введите значение пустого</source>
        <translation>Introduzca el valor de vacío</translation>
    </message>
    <message>
        <source>Установить уровень полного</source>
        <translation>Establecer el nivel lleno</translation>
    </message>
    <message>
        <source>Введите значение полного</source>
        <translation>Introduzca el valor de lleno</translation>
    </message>
    <message>
        <source>Установить режим</source>
        <translation>Establecer modo</translation>
    </message>
    <message>
        <source>Установить пароль</source>
        <translation>Establecer contraseña</translation>
    </message>
    <message>
        <source>Сетевой номер должен быть числом от 0 до 255</source>
        <translation>El número de red debe ser un número de 0 a 255</translation>
    </message>
    <message>
        <source>Пароль должен быть числом от 0 до 4294967295</source>
        <translation>La contraseña debe ser un número de 0 a 4294967295</translation>
    </message>
    <message>
        <source>Смещение должно быть числом от 0 до 65535</source>
        <translation>El desplazamiento debe ser un número de 0 a 65535</translation>
    </message>
    <message>
        <source>Уровень должен быть числом от 0 до 4294967295</source>
        <translation>El nivel debe ser un número de 0 a 4294967295</translation>
    </message>
</context>
<context>
    <name>RemoteControlPage</name>
    <message>
        <source>В ответе содержится температура Т=%1°С и уровень L=%2</source>
        <translation>La respuesta contiene la temperatura T=%1°C y el nivel L=%2</translation>
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
        <translation>AQ420 conectado</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte el sensor</translation>
    </message>
    <message>
        <source>Заполните пустые поля
перед записью</source>
        <translation>Rellene los campos vacíos
antes de escribir</translation>
    </message>
    <message>
        <source>Сетевой адрес должен быть числом
от 1 до 254</source>
        <translation>La dirección de red debe ser un número
de 1 a 254</translation>
    </message>
    <message>
        <source>Значение &quot;Низ&quot; не может быть
больше значения &quot;Верх&quot;</source>
        <translation>El valor &quot;Inferior&quot; no puede ser
mayor que el valor &quot;Superior&quot;</translation>
    </message>
    <message>
        <source>Некоторые параметры не были записаны
Повторите</source>
        <translation>Algunos parámetros no se escribieron
Inténtelo de nuevo</translation>
    </message>
</context>
<context>
    <name>FirmwareExchange</name>
    <message>
        <source>Прошивка не обновлена</source>
        <translation>Firmware no actualizado</translation>
    </message>
    <message>
        <source>Прошивка успешно обновлена</source>
        <translation>Firmware actualizado correctamente</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdate</name>
    <message>
        <source>Идёт обновление прошивки датчика</source>
        <translation>Actualizando el firmware del sensor</translation>
    </message>
    <message>
        <source>Ошибка в обновлении</source>
        <translation>Error en la actualización</translation>
    </message>
    <message>
        <source>Выберете файл прошивки</source>
        <translation>Elija el archivo de firmware</translation>
    </message>
    <message>
        <source>Модель датчика не найдена в имени файла прошивки.
Имя файла или папки должно содержать KV210, KV260, KV510, KV610 или KVL300</source>
        <translation>El nombre del archivo de firmware no indica el modelo del sensor.
El nombre del archivo o de la carpeta debe contener KV210, KV260, KV510, KV610 o KVL300</translation>
    </message>
    <message>
        <source>Не удалось открыть файл прошивки</source>
        <translation>No se pudo abrir el archivo de firmware</translation>
    </message>
    <message>
        <source>В файле нет прошивки для этой модели датчика</source>
        <translation>El archivo no contiene firmware para este modelo de sensor</translation>
    </message>
    <message>
        <source>Переподключите питание датчика</source>
        <translation>Apague y vuelva a encender el sensor</translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation>Conecte el sensor</translation>
    </message>
    <message>
        <source>Прошивка успешно обновлена</source>
        <translation>Firmware actualizado correctamente</translation>
    </message>
    <message>
        <source>Прошивка не обновлена</source>
        <translation>Firmware no actualizado</translation>
    </message>
</context>
</TS>
